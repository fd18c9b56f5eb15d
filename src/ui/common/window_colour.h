// The grey-green background every window of the editor is painted in.
#pragma once

#include <QRgb>

inline constexpr QRgb kWindowBackground = qRgb(222, 231, 231);
