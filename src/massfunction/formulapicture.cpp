#include "massfunction/formulapicture.h"

#include <QPainter>
#include <QPolygonF>
#include <QTextDocument>

#include <algorithm>

namespace {

// Lays out `html` centred on a white picture of `size`; the text is scaled
// down when it would not fit, so the formula is whole at any font size.
QImage typeset(const QString &html, QSize size, qreal pointSize)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);

    QTextDocument document;
    QFont font(QStringLiteral("Serif"));
    font.setPointSizeF(pointSize);
    document.setDefaultFont(font);
    document.setDocumentMargin(2);
    document.setHtml(html);
    document.setTextWidth(-1);

    const QSizeF natural = document.size();
    const qreal scale = std::min({1.0, size.width() / natural.width(), size.height() / natural.height()});
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate((size.width() - natural.width() * scale) / 2, (size.height() - natural.height() * scale) / 2);
    painter.scale(scale, scale);
    document.drawContents(&painter);
    return picture;
}

} // namespace

namespace FormulaPicture {

QImage minimumMass()
{
    return typeset(QStringLiteral("<i>M</i><sub>p</sub> sin <i>i</i> ～ "
                                  "<i>K</i> √(1 − <i>e</i><sup>2</sup>) "
                                  "(<i>P M</i><sub>★</sub><sup>2</sup> / 2π<i>G</i>)"
                                  "<sup>1/3</sup>"),
                   QSize(195, 60), 11);
}

QImage massFunction()
{
    return typeset(QStringLiteral("<p><i>f</i>(<i>M</i>) = "
                                  "(<i>M</i> sin <i>i</i>)<sup>3</sup> / "
                                  "(<i>M</i><sub>★</sub> + <i>M</i> sin <i>i</i>)<sup>2</sup></p>"
                                  "<p>= <i>P</i> (<i>K</i> √(1 − <i>e</i><sup>2</sup>))"
                                  "<sup>3</sup> / 2π<i>G</i></p>"),
                   QSize(480, 160), 20);
}

QPixmap documentIcon()
{
    QPixmap icon(32, 32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPolygonF page({QPointF(5, 1), QPointF(21, 1), QPointF(27, 7), QPointF(27, 31), QPointF(5, 31)});
    painter.setPen(QPen(Qt::darkGray, 1));
    painter.setBrush(Qt::white);
    painter.drawPolygon(page);
    painter.drawPolyline(QPolygonF({QPointF(21, 1), QPointF(21, 7), QPointF(27, 7)}));
    QFont font(QStringLiteral("Serif"));
    font.setPixelSize(9);
    font.setItalic(true);
    painter.setFont(font);
    painter.setPen(Qt::darkBlue);
    painter.drawText(QRectF(5, 9, 22, 20), Qt::AlignCenter, QStringLiteral("f(M)"));
    return icon;
}

} // namespace FormulaPicture
