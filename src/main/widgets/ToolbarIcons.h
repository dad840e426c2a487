#pragma once
// The toolbar's images, drawn in code so they stay crisp at any screen density.

#include <QIcon>
#include <QString>

namespace quellin {

enum class ToolImage {
    Load,
    Save,
    Download,
    Clear,
    SpreadPrint,
    GraphPrint,
    KeisokuIdle,   // image 7
    KeisokuActive, // image 8
    LogingIdle,    // image 9
    LogingActive,  // image 10
    System,
    Help,
};

QIcon toolIcon(ToolImage image);

// The program's own icon: a meter dial with a trend line.
QIcon appIcon();

} // namespace quellin
