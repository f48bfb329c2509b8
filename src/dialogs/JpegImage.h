#pragma once

#include <QByteArray>
#include <QImage>

namespace verdal {

// Decodes JPEG data with libjpeg; a null image when the data is not a JPEG picture.
QImage DecodeJpeg(const QByteArray& data);
// Reads and decodes a JPEG file (also from the compiled resources, ":/...").
QImage LoadJpeg(const QString& path);

}  // namespace verdal
