#pragma once

#include <string>
#include <vector>

#include "graphics/draw_target.h"

// A draw target that writes down every call, for checking what the table
// draws and where, without pixels.
class clRecordingTarget : public clDrawTarget {
public:
    clTableMetrics metrics{71, 96, 8, 4, 640, 480};
    std::vector<std::string> calls;

    clTableMetrics Metrics() const override { return metrics; }
    void ClearTable() override { calls.push_back("clear"); }
    void DrawCardPicture(const clRect& rect, int face, bool highlighted) override {
        calls.push_back(std::string(highlighted ? "highlight " : "card ") + std::to_string(face) +
                        " at " + Text(rect));
    }
    void DrawSymbol(clPoint at, int index) override {
        calls.push_back("symbol " + std::to_string(index) + " at " + Text(at));
    }
    void DrawLabelCells(clPoint at, int firstCell, int cellCount) override {
        calls.push_back("label " + std::to_string(firstCell) + "x" + std::to_string(cellCount) +
                        " at " + Text(at));
    }
    void SetClip(const clRect* rect) override {
        calls.push_back(rect ? "clip " + Text(*rect) : std::string("unclip"));
    }
    void TakeOff(const clRect& rect) override { calls.push_back("take off " + Text(rect)); }

    static std::string Text(clPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
    static std::string Text(const clRect& r) {
        return Text(clPoint{r.left, r.top}) + "-" + Text(clPoint{r.right, r.bottom});
    }
};
