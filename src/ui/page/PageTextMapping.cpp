#include "ui/page/PageTextMapping.h"

#include "format/Windows1252.h"

#include <QStringDecoder>

namespace daylark {

namespace {

/// One line: UTF-8 when it is valid UTF-8, else Windows-1252.
QString decodeBytes(std::string_view bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) {
        return text;
    }
    text.clear();
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        text += QChar(static_cast<char16_t>(windows1252Character(static_cast<unsigned char>(c))));
    }
    return text;
}

std::size_t utf8Length(const QString& text, qsizetype i)
{
    const char16_t unit = text.at(i).unicode();
    if (unit == u'\n' || unit == QChar::ParagraphSeparator || unit == QChar::LineSeparator) {
        return 2; // handed back as CR LF
    }
    if (unit < 0x80) {
        return 1;
    }
    if (unit < 0x800) {
        return 2;
    }
    if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
        QChar::isLowSurrogate(text.at(i + 1).unicode())) {
        return 4; // the low surrogate counts 0 below
    }
    if (QChar::isLowSurrogate(unit) && i > 0 && QChar::isHighSurrogate(text.at(i - 1).unicode())) {
        return 0;
    }
    return 3;
}

} // namespace

QString displayTextFromPage(std::string_view bytes)
{
    std::string unified;
    unified.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r') {
            unified += bytes[i];
            continue;
        }
        while (i + 1 < bytes.size() && bytes[i + 1] == '\r') {
            ++i;
        }
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            ++i;
        }
        unified += '\n';
    }
    // Line by line: a page merged from an older copy can hold a Windows-1252 line next to
    // UTF-8 ones, and each keeps its own characters.
    QString text;
    text.reserve(static_cast<qsizetype>(unified.size()));
    std::string_view rest = unified;
    for (;;) {
        const std::size_t end = rest.find('\n');
        text += decodeBytes(rest.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        text += QLatin1Char('\n');
        rest.remove_prefix(end + 1);
    }
    return text;
}

std::string pageTextFromDisplay(const QString& display)
{
    QString text = display;
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return text.toStdString();
}

std::size_t pageOffsetOfDisplay(const QString& display, qsizetype position)
{
    std::size_t offset = 0;
    for (qsizetype i = 0; i < position && i < display.size(); ++i) {
        offset += utf8Length(display, i);
    }
    return offset;
}

qsizetype displayPositionOfPage(const QString& display, std::size_t offset)
{
    std::size_t at = 0;
    qsizetype i = 0;
    while (i < display.size() && at < offset) {
        at += utf8Length(display, i);
        ++i;
    }
    if (i < display.size() && QChar::isLowSurrogate(display.at(i).unicode()) && i > 0 &&
        QChar::isHighSurrogate(display.at(i - 1).unicode())) {
        ++i; // never split a surrogate pair
    }
    return i;
}

} // namespace daylark
