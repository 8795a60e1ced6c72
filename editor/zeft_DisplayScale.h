#pragma once

namespace zeft {

/// The screen's logical pixels per inch (vertical) divided by 96: 1.0 on a 96 dpi screen.
/// Every pixel constant of the schedule editor is multiplied by it. 1.0 until
/// InitDisplayScale or SetDisplayScale has run.
double DisplayScale();

/// Computes DisplayScale from the primary screen. Call once at start, after the
/// QApplication exists and before any editor control is made.
void InitDisplayScale();

/// Sets the factor directly, for tests and for screens that report no resolution.
void SetDisplayScale(double scale);

/// A pixel constant of the editor at the current scale: Round(pixels × DisplayScale).
int ScaledPixels(double pixels);

} // namespace zeft
