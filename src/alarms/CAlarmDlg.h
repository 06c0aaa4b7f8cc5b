#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace daylark {

class AlarmSchedule;
class CAlarmFile;
class Clock;
class MessageSink;
struct CDaylarkAlarm;
struct DisplayFlags;

/// The "Alarm / Reminder" dialog without its window: the alarms that fall on one chosen day,
/// and the fields to add, change and delete them. Every change goes straight into the alarm
/// file's list (its holder saves it) and, for today, into today's alarms.
///
/// Each line of the list stands for one alarm, shown with its time before its name. The time
/// fields take the hour in the clock's form (1 to 12 with AM / PM, or 0 to 23 with the 24-hour
/// clock) and, with Greenwich time set, as the Greenwich time of the instant on the chosen day.
class CAlarmDlg
{
public:
    static constexpr std::string_view kCaption = "Daylark Alarms";
    static constexpr std::string_view kDefaultName = "Alarm Name";
    static constexpr std::string_view kApplyWithoutSelection =
        "You must select an Alarm in the list box for the Apply button to have any effect.";
    /// The frequency buttons in their order, and the frequency code each stands for.
    static constexpr std::array<std::string_view, 7> kFrequencyNames = {
        "Once", "Daily", "Weekly", "Biweekly", "Monthly", "Yearly", "Birthday"};
    static constexpr std::array<std::int16_t, 7> kFrequencyCodes = {0, 1, 2, 3, 4, 5, 7};

    enum class DefaultButton { Add, Apply };

    /// All five must outlive the dialog. `alarms` is loaded by the dialog's opener.
    CAlarmDlg(CAlarmFile& alarms, AlarmSchedule& today, const Clock& clock,
              const DisplayFlags& flags, MessageSink& messages);

    /// Opens on the local day of `day`: the alarms that fall on it, the name "Alarm Name", the
    /// current time in the time fields, Once, both boxes ticked, Add the default button.
    void Open(std::int64_t day);

    void setName(std::string name) { m_name = std::move(name); }
    void setHour(std::string hour) { m_hour = std::move(hour); }
    void setMinute(std::string minute) { m_minute = std::move(minute); }
    void setPm(bool pm) { m_pm = pm; }
    /// A frequency button, by its position in kFrequencyNames.
    void setFrequencyButton(std::size_t button);
    void setMessageBox(bool on) { m_messageBox = on; }
    void setVisibleOnCalendar(bool on) { m_visibleOnCalendar = on; }

    /// A line of the list picked (none: the selection went): its alarm's values fill the
    /// fields and Apply becomes the default button.
    void Select(std::optional<std::size_t> line);
    /// Adds an alarm of the fields for the day and shows it as a new line (the selection stays,
    /// so Enter adds the next one). An empty name or a bad time adds nothing (a bad time says
    /// why). True when an alarm was added.
    bool Add();
    /// Deletes the selected line's alarm (a recurring one after a question) and its entry in
    /// today's alarms.
    void Delete();
    /// Gives the selected line's alarm the fields' values; its entry in today's alarms follows
    /// and is announced again when its time has come. A bad time or an empty name changes
    /// nothing.
    void Apply();

    /// The long date of the day, without the time.
    const std::string& title() const { return m_title; }
    /// The list box: one line per alarm, its time before its name.
    const std::vector<std::string>& lines() const { return m_lines; }
    std::optional<std::size_t> selection() const { return m_selection; }
    const std::string& name() const { return m_name; }
    const std::string& hour() const { return m_hour; }
    const std::string& minute() const { return m_minute; }
    bool pm() const { return m_pm; }
    /// The AM and PM buttons show only with the 12-hour clock.
    bool showsAmPm() const;
    /// The position of the set frequency button in kFrequencyNames.
    std::size_t frequencyButton() const { return m_frequencyButton; }
    bool messageBox() const { return m_messageBox; }
    bool visibleOnCalendar() const { return m_visibleOnCalendar; }
    DefaultButton defaultButton() const { return m_defaultButton; }
    /// Goes up whenever the dialog puts new values into the fields (not when the user types),
    /// so a window knows when to show them again.
    std::uint64_t revision() const { return m_revision; }

private:
    /// The time typed into the fields for the day; none after a message said what is wrong.
    std::optional<std::int64_t> typedTime();
    /// Shows `time`'s time of day in the time fields, as the clock shows it.
    void showTime(std::int64_t time);
    std::string lineText(const CDaylarkAlarm& alarm) const;
    void fillFields(const CDaylarkAlarm& alarm);
    bool isToday() const;

    CAlarmFile& m_alarms;
    AlarmSchedule& m_today;
    const Clock& m_clock;
    const DisplayFlags& m_flags;
    MessageSink& m_messages;

    std::int64_t m_day = 0;
    std::string m_title;
    std::vector<std::string> m_lines;
    std::vector<const CDaylarkAlarm*> m_lineAlarms; ///< the alarm of each line
    std::optional<std::size_t> m_selection;
    std::string m_name;
    std::string m_hour;
    std::string m_minute;
    bool m_pm = false;
    std::size_t m_frequencyButton = 0;
    bool m_messageBox = true;
    bool m_visibleOnCalendar = true;
    DefaultButton m_defaultButton = DefaultButton::Add;
    std::uint64_t m_revision = 0;
};

} // namespace daylark
