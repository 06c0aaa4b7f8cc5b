#pragma once

#include "diary/PageFont.h"
#include "diary/PageText.h"

namespace daylark {

/// The page text without a window: a byte buffer that keeps every byte exactly as it was set
/// (no line-break mapping, no re-encoding).
class BufferPageText : public PageText
{
public:
    std::string text() const override { return m_text; }
    void setText(std::string_view text) override;

    Selection selection() const override { return m_selection; }
    void setSelection(std::size_t start, std::size_t end) override;
    std::string selectedText() const override;
    void replaceSelection(std::string_view text) override;
    void appendText(std::string_view text) override;

    bool readOnly() const override { return m_readOnly; }
    void setReadOnly(bool readOnly) override { m_readOnly = readOnly; }

    bool modified() const override { return m_modified; }
    void setModified(bool modified) override { m_modified = modified; }

    void setFont(const PageFont& font) override { m_font = font; }
    const PageFont& font() const { return m_font; }

private:
    std::string m_text;
    Selection m_selection;
    bool m_readOnly = false;
    bool m_modified = false;
    PageFont m_font;
};

} // namespace daylark
