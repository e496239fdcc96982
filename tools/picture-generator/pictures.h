// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

namespace qzd::pictures {

// Each draws one picture at its natural size on white.
QImage DrawAeroplane();        // 50 x 18, the powered-aeroplane type picture
QImage DrawGlider();           // 50 x 18, the glider type picture
QImage DrawHelicopter();       // 50 x 18, the helicopter type picture
QImage DrawServoConnection();  // 592 x 400, the four models with their servo plugs
QImage DrawMode();             // 300 x 405, the stick modes
QImage DrawHeli();             // 585 x 220, the helicopter servo layout and CCPM head

// The program icon drawn at any size, full colour and opaque.
QImage DrawIcon(int size);
// The 32 x 32 icon reduced to a palette of at most 256 colours.
QImage DrawPaletteIcon();

// A white canvas with an antialiased painter's usual set-up. The size is in picture pixels; the
// canvas holds SetCanvasScale's multiple of it in device pixels (1 unless set).
QImage Canvas(int width, int height);
void SetCanvasScale(int scale);
void Prepare(class QPainter& p);

}  // namespace qzd::pictures
