#include "cli/StderrSink.h"

#include <ostream>

namespace daylark {

StderrSink::StderrSink(std::ostream& err)
    : m_err(err)
{}

MessageAnswer StderrSink::ask(const std::string& text, const std::string& caption, MessageIcon icon,
                              MessageButtons buttons)
{
    m_err << '[' << caption << "]\n" << text << '\n';
    m_err.flush();
    if (icon == MessageIcon::Exclamation) {
        m_failureShown = true;
    }
    // The CLI never asks: a question is answered with its most careful button.
    return buttons == MessageButtons::Ok      ? MessageAnswer::Ok
           : buttons == MessageButtons::YesNo ? MessageAnswer::No
                                              : MessageAnswer::Cancel;
}

void StderrSink::notify(const std::string& text, const std::string& caption)
{
    m_err << '[' << caption << "]\n" << text << '\n';
    m_err.flush();
}

} // namespace daylark
