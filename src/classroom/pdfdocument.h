#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>
#include <memory>

class QPainter;
class QPdfWriter;
class QBuffer;

/// A printable A4 document written top to bottom: headings, paragraphs,
/// empty lines to write an answer on, and pictures; a new page begins
/// wherever the next piece would not fit. The worksheets and the answer
/// key are made of these pieces. bytes() ends the document and gives the
/// PDF, in memory, for ExportFlow to write whole or not at all.
class PdfDocument
{
public:
    /// Draws into `area` (page units) with the painter given.
    using Drawing = std::function<void(QPainter &, const QRectF &)>;

    explicit PdfDocument(const QString &title);
    ~PdfDocument();
    PdfDocument(const PdfDocument &) = delete;
    PdfDocument &operator=(const PdfDocument &) = delete;

    void heading(const QString &text);
    void subheading(const QString &text);
    void paragraph(const QString &text);
    /// `count` ruled lines, each led by `label` on the first ("Answer:").
    void answerLines(int count, const QString &label = {});
    /// A picture scaled to the text width (never taller than half a page).
    void picture(const QImage &image);
    /// A drawing of the text width and `heightFraction` of it.
    void drawing(const Drawing &draw, double heightFraction = 0.55);

    QByteArray bytes();

private:
    void text(const QString &text, double sizeFactor, bool bold);
    /// Moves to a new page unless `height` still fits on this one.
    void reserve(double height);

    std::unique_ptr<QBuffer> m_buffer;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
    double m_y = 0;
};
