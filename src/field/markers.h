// Marker storage: the overlay's markers kept as position arrays.
//
// The image carries a few thousand markers (catalogue stars, pick marks,
// minor planets and their names, deep-sky names, the centre cross). They are
// not widgets: each pool is a set of parallel arrays, indexed from 1 like the
// tables they show (element 0 is the template and is never shown). The image
// widget paints the visible ones in one pass; hit tests read the arrays.
// Positions are image pixels of the marker's top-left corner, single precision.
#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <vector>

namespace field {

struct MarkerPool {
    MarkerPool(int count, float size)
        : left(count + 1), top(count + 1), visible(count + 1), size(size) {}

    int count() const { return static_cast<int>(left.size()) - 1; }
    void place(int i, float l, float t) {
        left[i] = l;
        top[i] = t;
    }
    void show(int i, bool on = true) { visible[i] = on ? 1 : 0; }
    void hideAll() { std::fill(visible.begin(), visible.end(), uint8_t{0}); }
    void hideRange(int from, int to) {
        for (int i = from; i <= to && i <= count(); ++i)
            visible[i] = 0;
    }

    std::vector<float> left;
    std::vector<float> top;
    std::vector<uint8_t> visible;
    float size; // template width and height in pixels
};

// Text labels (minor-planet and deep-sky names): positions plus captions.
struct LabelPool : MarkerPool {
    explicit LabelPool(int count)
        : MarkerPool(count, 0), caption(count + 1, QStringLiteral("txt")) {}
    std::vector<QString> caption;
};

struct LineSegment {
    float x1, y1, x2, y2;
    QRgb colour; // opaque 0xffRRGGBB
};

struct MarkerStore {
    static constexpr int kStars = 4000;
    static constexpr int kPicks = 5;
    static constexpr int kMinorPlanets = 500;
    static constexpr int kDeepSky = 500;

    MarkerPool star{kStars, 8};         // green circles
    MarkerPool clicpic{kPicks, 16};     // red circles, pick marks
    MarkerPool aster{kMinorPlanets, 8}; // yellow squares
    LabelPool aster_lbl{kMinorPlanets}; // yellow names
    LabelPool deepobj_lbl{kDeepSky};    // light-blue names

    // The field-centre cross: four segments centerpic(0..3).
    struct {
        float x1[4]{}, y1[4]{}, x2[4]{}, y2[4]{};
        bool visible = false;
    } centerpic;

    // Free drawings on the image (crosses of a candidate, deep-sky ellipses),
    // erased by clearDrawings().
    std::vector<LineSegment> drawings;
    QColor drawColour{128, 128, 255};
    // Counts changes of the drawings, so that a painter can keep them
    // rasterised between changes.
    uint64_t drawingsVersion = 0;

    void line(float x1, float y1, float x2, float y2) { line(x1, y1, x2, y2, drawColour.rgb()); }
    // The same with the colour worked out by the caller (long runs of lines).
    void line(float x1, float y1, float x2, float y2, QRgb colour) {
        drawings.push_back({x1, y1, x2, y2, colour});
        ++drawingsVersion;
    }
    void clearDrawings() {
        drawings.clear();
        ++drawingsVersion;
    }

    // Hides every marker and erases the drawings.
    void clearAll() {
        hideAll();
        clearDrawings();
    }

    void hideAll() {
        star.hideAll();
        clicpic.hideAll();
        aster.hideAll();
        aster_lbl.hideAll();
        deepobj_lbl.hideAll();
        centerpic.visible = false;
    }
};

} // namespace field
