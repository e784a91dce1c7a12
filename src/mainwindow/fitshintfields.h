// The main window's fields that a FITS header can fill: the centre with its
// sign and equinox, the minor-planet date and the two scales.
//
// Typing into one of them marks it as the user's own (a file or a hint
// filling it does not). The hints of a newly loaded image go into the
// fields, asking once before replacing values the user typed; every group
// of hints says in the message list whether it was taken.
#pragma once

#include <QObject>
#include <QSet>
#include <QString>

class CommandHost;
class FieldPanel;
class MinorPlanetPage;
class QLineEdit;
namespace field {
struct FitsHints;
}

class FitsHintFields : public QObject {
    Q_OBJECT
public:
    // Starts watching the boxes of `field` (the centre and its sign, the
    // equinox, the scales) and the date boxes of `minorPlanets`.
    FitsHintFields(CommandHost& host, FieldPanel& field, MinorPlanetPage& minorPlanets);

    // Puts `hints` of the image `key` (its path and time) into the fields;
    // the same image again changes nothing.
    void apply(const field::FitsHints& hints, const QString& key);

private:
    CommandHost& m_host;
    FieldPanel& m_field;
    MinorPlanetPage& m_minorPlanets;
    QSet<const QObject*> m_typed; // fields the user has typed into this session
    QString m_appliedFrom;        // the image whose hints were applied
};
