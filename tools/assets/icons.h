#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

// Small pictograms for the interface pictures, drawn in one colour inside a
// square box.
enum class clIcon {
    AllGames,
    Star,
    Heart,
    Chart,
    Clock,
    Help,
    Close,
    NewGame,
    Undo,
    Pause,
    Globe,
    Gear,
    Dice,
    Play,
    Trophy,
    Book,
    Cards,
    Download,
    Envelope,
    Speech,
};

void PaintIcon(QPainter& painter, clIcon icon, const QRectF& box, const QColor& colour);
