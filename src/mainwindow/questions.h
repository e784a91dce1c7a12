// The questions the main window asks, with their texts from the language table.
#pragma once

#include <optional>

#include "field/review.h"

#include <optional>

class QWidget;

// Candidate k of `total` of the matching: "accept it?" (messages 2 and 3),
// after the centre-outside warning (message 20) on its own line when the
// typed centre falls off the image, and with the candidate's evidence (the
// catalogue stars that fall on stars of the image) when it is known (>= 0).
// With `odds` (a candidate identified from the stars of the whole image)
// its decimal log-odds against chance too.
// Yes, No, or Cancel to end the review.
field::ReviewAnswer AskAboutCandidate(QWidget* parent, int k, int total, bool centreOutside,
                                      int evidence = -1, std::optional<double> odds = std::nullopt);
