#pragma once
#include <QImage>
#include <QString>

// QR codes for the phone to scan (libqrencode).
namespace quillane::QRCode {

// Pixels per module of the drawn code.
inline constexpr int scale = 8;
// Light modules around the code on every side.
inline constexpr int quietZone = 1;

// The code of the text's UTF-8 bytes at error-correction level M, black on white, each module
// scale × scale pixels, quiet zone included; a null image when the text can't be encoded
// (too long for any QR version).
QImage image(const QString& text);

}  // namespace quillane::QRCode
