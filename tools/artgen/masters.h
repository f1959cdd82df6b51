// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>
#include <QString>

// A picture's master drawing: an SVG file, as an illustrator keeps it in Inkscape, whose
// top-level groups are its layers, each with an id ("scene", "figure"). Layers are drawn by
// Qt's own SVG renderer, one at a time, at any whole multiple of the drawing's size.
class Master
{
public:
    // Reads the file; a file that cannot be read or is not a drawing ends artgen.
    explicit Master(const QString &path);

    QString path() const { return m_path; }
    QSize size() const { return m_size; }

    // Whether the drawing has a layer (or any drawn element) with this id.
    bool hasLayer(const QString &id) const;

    // The layer with this id alone, at `scale` times the drawing's size, on transparent
    // ground (premultiplied alpha).
    QImage layer(const QString &id, int scale) const;

    // Every flat colour the layer paints with, in order of first use. A pixel picture keeps
    // to these tones, so the layer may use nothing it cannot list: no gradients, no
    // transparency, no colour other than #rrggbb.
    QList<QRgb> colours(const QString &id) const;

    // Ends artgen with a message about this drawing.
    [[noreturn]] void fail(const QString &message) const;

private:
    QString m_path;
    QByteArray m_svg;
    QSize m_size;
};
