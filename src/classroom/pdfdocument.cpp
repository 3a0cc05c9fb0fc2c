#include "classroom/pdfdocument.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {

constexpr int Resolution = 300; ///< dots per inch of the page units
constexpr double BodyPoints = 11;

double points(double pt)
{
    return pt * Resolution / 72.0;
}

} // namespace

PdfDocument::PdfDocument(const QString &title) : m_buffer(std::make_unique<QBuffer>())
{
    m_buffer->open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(m_buffer.get());
    m_writer->setTitle(title);
    m_writer->setCreator(QStringLiteral("Orbiquest9"));
    m_writer->setResolution(Resolution);
    m_writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                                        QPageLayout::Millimeter));
    m_painter = std::make_unique<QPainter>(m_writer.get());
    QFont font = m_painter->font();
    font.setPointSizeF(BodyPoints);
    m_painter->setFont(font);
}

PdfDocument::~PdfDocument() = default;

void PdfDocument::reserve(double height)
{
    if (m_y > 0 && m_y + height > m_writer->height()) {
        m_writer->newPage();
        m_y = 0;
    }
}

void PdfDocument::text(const QString &text, double sizeFactor, bool bold)
{
    QFont font = m_painter->font();
    font.setPointSizeF(BodyPoints * sizeFactor);
    font.setBold(bold);
    m_painter->setFont(font);
    const QRectF room(0, 0, m_writer->width(), m_writer->height());
    const QRectF needed = m_painter->boundingRect(room, Qt::TextWordWrap, text);
    reserve(needed.height());
    m_painter->drawText(QRectF(0, m_y, m_writer->width(), needed.height()), Qt::TextWordWrap, text);
    m_y += needed.height() + points(BodyPoints * 0.5);
    font.setPointSizeF(BodyPoints);
    font.setBold(false);
    m_painter->setFont(font);
}

void PdfDocument::heading(const QString &text)
{
    this->text(text, 1.6, true);
}

void PdfDocument::subheading(const QString &text)
{
    reserve(points(BodyPoints * 6)); // a heading never ends a page alone
    this->text(text, 1.2, true);
}

void PdfDocument::paragraph(const QString &text)
{
    this->text(text, 1.0, false);
}

void PdfDocument::answerLines(int count, const QString &label)
{
    const double spacing = points(BodyPoints * 2.2);
    reserve(spacing * count);
    m_painter->setPen(QPen(Qt::black, points(0.5)));
    for (int i = 0; i < count; ++i) {
        m_y += spacing;
        double start = 0;
        if (i == 0 && !label.isEmpty()) {
            m_painter->drawText(QPointF(0, m_y - points(2)), label);
            start = m_painter->fontMetrics().horizontalAdvance(label) + points(6);
        }
        m_painter->drawLine(QPointF(start, m_y), QPointF(m_writer->width(), m_y));
    }
    m_y += points(BodyPoints);
}

void PdfDocument::picture(const QImage &image)
{
    if (image.isNull())
        return;
    QSizeF size(m_writer->width(), m_writer->width() * image.height() / double(image.width()));
    size.scale(QSizeF(m_writer->width(), m_writer->height() / 2.0), Qt::KeepAspectRatio);
    reserve(size.height());
    m_painter->drawImage(QRectF(QPointF(0, m_y), size), image);
    m_y += size.height() + points(BodyPoints);
}

void PdfDocument::drawing(const Drawing &draw, double heightFraction)
{
    const QRectF area(0, 0, m_writer->width(), m_writer->width() * heightFraction);
    reserve(area.height());
    draw(*m_painter, area.translated(0, m_y));
    m_y += area.height() + points(BodyPoints);
}

QByteArray PdfDocument::bytes()
{
    if (m_painter->isActive())
        m_painter->end();
    return m_buffer->data();
}
