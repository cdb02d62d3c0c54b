#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <vector>

#include "assets/card_metrics.h"

// A card-back design, drawn afresh for each native size so that its lines and
// pattern keep whole-pixel widths on the small cards. `paint` fills the
// field inside the back's white border.
struct clBackDesign {
    QString name;
    void (*paint)(QPainter& painter, const QRectF& field, const clFaceMetrics& metrics);
};

// The designs of the default card set, in the order the back chooser shows them.
const std::vector<clBackDesign>& ClassicBacks();
// The designs of the second card set.
const std::vector<clBackDesign>& FourColourBacks();

// One back at one size: the border, then the design inside it; transparent
// outside the rounded card.
QImage PaintBack(const clBackDesign& design, const clFaceMetrics& metrics);
