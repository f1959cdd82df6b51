// SPDX-License-Identifier: MIT
#include "masters.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void failWith(const QString &path, const QString &message)
{
    std::fprintf(stderr, "artgen: %s: %s\n", qPrintable(path), qPrintable(message));
    std::exit(1);
}

// The paint of an element, from its attributes and from the declarations of its style
// attribute, which is where Inkscape writes it.
QList<std::pair<QString, QString>> paintOf(const QXmlStreamAttributes &attributes)
{
    QList<std::pair<QString, QString>> paint;
    for (const QXmlStreamAttribute &attribute : attributes) {
        if (attribute.name() == u"style") {
            for (const QString &declaration : attribute.value().toString().split(u';')) {
                const qsizetype colon = declaration.indexOf(u':');
                if (colon > 0)
                    paint.append({ declaration.left(colon).trimmed(),
                        declaration.mid(colon + 1).trimmed() });
            }
        } else if (attribute.namespaceUri().isEmpty()) {
            paint.append({ attribute.name().toString(), attribute.value().toString() });
        }
    }
    return paint;
}

} // namespace

Master::Master(const QString &path)
    : m_path(path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        failWith(path, QStringLiteral("cannot read the master drawing"));
    m_svg = file.readAll();
    const QSvgRenderer renderer(m_svg);
    if (!renderer.isValid())
        failWith(path, QStringLiteral("not a drawing Qt's SVG renderer reads"));
    m_size = renderer.defaultSize();
}

bool Master::hasLayer(const QString &id) const
{
    return QSvgRenderer(m_svg).elementExists(id);
}

QImage Master::layer(const QString &id, int scale) const
{
    // A copy of the drawing with every other layer switched off.
    QByteArray only;
    QXmlStreamReader reader(m_svg);
    QXmlStreamWriter writer(&only);
    bool found = false;
    int depth = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && ++depth == 2 && reader.name() == u"g") {
            const bool wanted = reader.attributes().value(QLatin1StringView("id")) == id;
            found |= wanted;
            writer.writeCurrentToken(reader);
            writer.writeAttribute(QStringLiteral("display"),
                wanted ? QStringLiteral("inline") : QStringLiteral("none"));
            continue;
        }
        if (reader.isEndElement())
            --depth;
        writer.writeCurrentToken(reader);
    }
    if (reader.hasError())
        failWith(m_path, reader.errorString());
    if (!found)
        failWith(m_path, QStringLiteral("has no layer \"%1\"").arg(id));

    QSvgRenderer renderer(only);
    QImage image(m_size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

void Master::fail(const QString &message) const
{
    failWith(m_path, message);
}

QList<QRgb> Master::colours(const QString &id) const
{
    QList<QRgb> colours;
    QXmlStreamReader reader(m_svg);
    int depth = 0;
    int inside = 0; // the depth of the layer's group while within it
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isEndElement()) {
            if (depth-- == inside)
                inside = 0;
            continue;
        }
        if (!reader.isStartElement())
            continue;
        ++depth;
        if (depth == 2 && reader.name() == u"g"
            && reader.attributes().value(QLatin1StringView("id")) == id)
            inside = depth;
        if (!inside)
            continue;
        const QString where
            = QStringLiteral("layer \"%1\", line %2: ").arg(id).arg(reader.lineNumber());
        for (const QStringView tag : { u"linearGradient", u"radialGradient", u"pattern", u"filter",
                 u"mask", u"image", u"text" }) {
            if (reader.name() == tag)
                failWith(m_path,
                    where + QStringLiteral("<%1> has no place in a pixel picture").arg(tag));
        }
        for (const auto &[name, value] : paintOf(reader.attributes())) {
            if (name.endsWith(u"opacity") && value.toDouble() != 1.0)
                failWith(m_path,
                    where
                        + QStringLiteral("%1 %2: a pixel picture has no transparency")
                              .arg(name, value));
            if ((name != u"fill" && name != u"stroke") || value == u"none")
                continue;
            const QColor colour = QColor::fromString(value);
            if (!value.startsWith(u'#') || value.size() != 7 || !colour.isValid())
                failWith(m_path,
                    where + QStringLiteral("%1 %2 is not a #rrggbb colour").arg(name, value));
            if (!colours.contains(colour.rgb()))
                colours.append(colour.rgb());
        }
    }
    if (colours.isEmpty())
        failWith(m_path, QStringLiteral("layer \"%1\" paints nothing").arg(id));
    return colours;
}
