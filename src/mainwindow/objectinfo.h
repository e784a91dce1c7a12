// The details of an object of the overlay in the info panel: a catalogue
// star, a minor planet or a deep-sky object of the session's tables, at its
// J2000 position as read (the typed rows of the field catalogue).
#pragma once

#include "field/markers.h"
#include "field/session.h"
#include "text/widgets/infoview.h"

// Catalogue star row i; `equinox` is the typed equinox text.
void ShowStarInfo(const text::details::InfoPanel& panel, const field::SessionState& s, int i,
                  const QString& equinox);
// Minor planet row i (its coordinate texts read leniently); nothing outside 1..count.
void ShowMinorPlanetInfo(const text::details::InfoPanel& panel, const field::SessionState& s,
                         int i);
// Deep-sky row i; nothing outside 1..count.
void ShowDeepSkyInfo(const text::details::InfoPanel& panel, const field::SessionState& s, int i);
// The object whose marker is near (x, y): a minor planet first, else a
// catalogue star; nothing when no marker is near.
void ShowObjectInfoAt(const text::details::InfoPanel& panel, const field::SessionState& s,
                      const field::MarkerStore& markers, float x, float y, const QString& equinox);
