#include "app/channelsheet.h"

#include "storage/wholefile.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace {

std::function<bool(QPrinter &)> &printerChooser()
{
    static std::function<bool(QPrinter &)> chooser;
    return chooser;
}

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

QString rowsTable(const QList<ChannelSheet::Row> &rows)
{
    QString html = QStringLiteral("<table cellspacing=0 cellpadding=2>");
    for (const auto &[caption, value] : rows)
        html += QStringLiteral("<tr><td>%1</td><td><b>%2</b></td></tr>").arg(escaped(caption), escaped(value));
    return html + QStringLiteral("</table>");
}

} // namespace

QString ChannelSheet::html() const
{
    QString html = QStringLiteral("<h2>%1</h2>").arg(escaped(title)) + rowsTable(facts);
    html += QStringLiteral("<p></p><table border=1 cellspacing=0 cellpadding=3 width=100%><tr>");
    for (const QString &heading : header)
        html += QStringLiteral("<th>%1</th>").arg(escaped(heading));
    html += QStringLiteral("</tr>");
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        html += QStringLiteral("<tr><td align=center>%1</td>").arg(channel, 2, 10, QLatin1Char('0'));
        for (const QString &cell : rows.at(channel - 1))
            html += QStringLiteral("<td align=center>%1</td>").arg(escaped(cell));
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table><table cellspacing=12><tr><td valign=top><h3>%1</h3>%2</td>")
                .arg(escaped(settingsTitle), rowsTable(settings));
    html += QStringLiteral("<td valign=top><h3>%1</h3>%2").arg(escaped(keysTitle), rowsTable(keys));
    html += QStringLiteral("<h3>%1</h3>").arg(escaped(textsTitle));
    for (const QString &text : texts)
        html += QStringLiteral("<p>%1</p>").arg(escaped(text));
    return html + QStringLiteral("</td></tr></table>");
}

QTextDocument *ChannelSheet::document() const
{
    auto *document = new QTextDocument;
    QFont font = document->defaultFont();
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"), font.family()});
    font.setPointSizeF(9);
    document->setDefaultFont(font);
    document->setHtml(html());
    return document;
}

bool writePdf(QTextDocument &document, const QString &path, QString *error)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setTitle(document.toPlainText().section(QLatin1Char('\n'), 0, 0));
        writer.setCreator(QStringLiteral("qv540"));
        document.print(&writer);
    }
    return WholeFile::write(path, pdf.data(), error);
}

void setPrinterChooser(std::function<bool(QPrinter &)> chooser)
{
    printerChooser() = std::move(chooser);
}

bool choosePrinter(QWidget *parent, QPrinter &printer)
{
    if (printerChooser())
        return printerChooser()(printer);
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}
