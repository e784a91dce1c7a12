// The work behind the main window's solving commands: the search and review
// of candidate identifications ("3-Calcul"), the automatic picks beside
// "2-Etoiles", the refined plate of an accepted candidate with its residual
// table, and the WCS export.
//
// The window's handlers Algo, AutoPicks_Click and mnu_exportwcs_Click hand
// their work to this class.
#pragma once

#include "field/solve.h"
#include "reduction/matching.h"

#include <QObject>
#include <functional>
#include <optional>
#include <vector>

class DeciderPage;
class FieldPanel;
class CommandHost;
class ImageView;
class SolvePanel;

class SolveCommands : public QObject {
    Q_OBJECT
public:
    SolveCommands(CommandHost& host, ImageView& view, FieldPanel& field, DeciderPage& decider,
                  SolvePanel& solve);

    struct MatchRun {
        bool reviewed = false;  // false: stopped before the review (after a message)
        bool cancelled = false; // the user cancelled the review
        int count = 0;          // candidates found
    };
    // Forgets the last identification, searches the candidates of the picks
    // and offers them (in the order of their evidence when ranking is on),
    // drawing each with `draw`. An accepted one gets its plate.
    MatchRun
    searchAndReview(const std::function<void(const reduction::matching::Candidate&)>& draw);

    // Picks five stars among those found on the loaded image and shows
    // them; false after a message when too few were found.
    bool autoPicks();

    // Writes the plate in use as a WCS header to a file the user chooses.
    void exportWcs();

    // Empties the plate panel (the session's plate is the caller's).
    void forgetPlate();

private:
    // Finds the stars of the loaded image once per image.
    void findStars();
    // With ranking on: reorders `candidates` by evidence, returning the
    // evidence in the new order (empty with ranking off).
    std::vector<int> rankCandidates(std::vector<reduction::matching::Candidate>& candidates);
    // After an accepted candidate: refines the plate when that is wanted and
    // says which plate is in use.
    void showAcceptedPlate();
    void showPlate(const std::function<QString()>& text,
                   const std::vector<field::ResidualLine>& lines);

    // What the plate panel shows, to put back after a cancelled review.
    struct ShownPlate {
        std::function<QString()> text; // made again in the language in use
        std::vector<field::ResidualLine> lines;
    };
    std::optional<ShownPlate> m_shown;

    CommandHost& m_host;
    ImageView& m_view;
    FieldPanel& m_field;
    DeciderPage& m_decider;
    SolvePanel& m_solve;
};
