#pragma once

namespace lumora::platform {

// Geometry in the model is counted in twips (1440 per inch). This is the one
// place where twips become widget pixels and back.
void SetTwipsPerPixel(double perPixelX, double perPixelY);
double TwipsPerPixelX();
double TwipsPerPixelY();

int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
double PixelsToTwipsX(double pixels);
double PixelsToTwipsY(double pixels);

}  // namespace lumora::platform
