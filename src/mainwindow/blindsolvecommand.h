// "Solve without position": the loaded image solved from the stars found on
// it and the local index files (sites.cfg, [local_stars] index_folder), on a
// worker thread with a progress dialog, a Cancel button and a time limit
// (astroplate.ini, blind/timeLimitSeconds, 60 s by default).
//
// The scale range is the typed scales +-10 % when the menu's "Scales known"
// is ticked (a FITS header's scales go into those fields when the image is
// loaded), else field widths of 0.3 to 30 degrees.
//
// On success the centre (precessed to the typed equinox), the radius (half
// the diagonal) and both scales go into the fields, and the solution's TAN
// plate becomes the plate in use. On failure nothing changes.
#pragma once

#include <QObject>

class CommandHost;
class FieldPanel;
class ImageView;
class SolvePanel;

class BlindSolveCommand : public QObject {
    Q_OBJECT
public:
    BlindSolveCommand(CommandHost& host, ImageView& view, FieldPanel& field, SolvePanel& solve);

    // Solves the loaded image; true when a plate was found and put in use.
    bool run(bool scalesKnown);

private:
    CommandHost& m_host;
    ImageView& m_view;
    FieldPanel& m_field;
    SolvePanel& m_solve;
};
