#pragma once

#include <QImage>
#include <QString>

// Compares a rendering with the one expected as a person would. Anti-aliased edges, gradients
// and text differ in their last bits between machines (vector units, library versions), so
// equal bytes would test the machine rather than the drawing. Alike means: the same size, alpha
// coverage within 1 %, a mean difference of at most 1.5 levels in each channel, no patch of
// more than 3 touching pixels that differ plainly (by more than 32 levels in a channel). A
// recoloured area fails the mean, a moved or resized shape the patch.
// Returns an empty text when the images are alike, else what differs.
QString ImageMismatch(const QImage& expected, const QImage& actual);
