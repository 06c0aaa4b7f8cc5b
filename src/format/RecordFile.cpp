#include "format/RecordFile.h"

#include "platform/AtomicFile.h"
#include "platform/File.h"
#include "platform/FileCompare.h"
#include "platform/FileSystem.h"
#include "platform/MessageSink.h"

#include <cerrno>
#include <cstring>
#include <new>
#include <optional>

namespace daylark {

namespace {

std::string fileFailure(std::string_view contextLine, const CFileException& failure)
{
    return formatFailure(contextLine, failure.cause(), fileCauseText(failure.cause()));
}

} // namespace

RecordFileBase::RecordFileBase(std::string path, MessageSink& messages,
                               const RecordFileContexts& contexts, MissingFile missing,
                               std::string_view recordNoun)
    : m_path(std::move(path))
    , m_messages(messages)
    , m_contexts(contexts)
    , m_missing(missing)
    , m_recordNoun(recordNoun)
{}

RecordFileBase::~RecordFileBase() = default;

RecordFileBase::Outcome
RecordFileBase::readFile(const std::function<void(CRecordArchive&)>& readRecord)
{
    const FileStatus status = fileStatus(m_path);
    if (!status.exists && status.error == ENOENT) {
        m_mustNotOverwrite = false;
        if (m_missing == MissingFile::Ignore || m_use == FileUse::ReadOnly) {
            return {};
        }
        try {
            File created(m_path, File::Mode::Create);
            created.close();
        } catch (const CFileException& failure) {
            return {false, fileFailure(m_contexts.creating, failure)};
        }
        return {}; // a new empty file holds no records
    }

    File file;
    try {
        if (!status.exists) {
            throw CFileException::fromErrno(status.error);
        }
        file.open(m_path, File::Mode::Read);
    } catch (const CFileException& failure) {
        return loadFailed(fileFailure(m_contexts.looking, failure));
    }

    Outcome outcome;
    {
        std::unique_ptr<ByteFile> filtered = m_filter ? m_filter(file) : nullptr;
        ByteFile& device = filtered ? *filtered : file;
        std::optional<CRecordArchive> ar;
        try {
            ar.emplace(device, CRecordArchive::Mode::Loading);
            if (device.length() >= kMinRecordsLength) {
                m_fileVersion = ar->readDword();
                const std::uint16_t count = ar->readWord();
                for (std::uint16_t i = 0; i < count; ++i) {
                    readRecord(*ar);
                }
            }
        } catch (const CRecordFieldsException& failure) {
            outcome = {false, fileFailure(m_contexts.recordFields, failure)};
        } catch (const CException& failure) {
            outcome = {false, m_contexts.reading.message(failure)};
        } catch (const std::bad_alloc&) {
            outcome = {false, m_contexts.reading.message(CMemoryException())};
        }
        try {
            if (ar) {
                ar->Close();
            }
            file.close();
        } catch (const CException& failure) {
            if (outcome.ok) {
                outcome = {false, m_contexts.closing.message(failure)};
            }
        }
    }
    if (!outcome.ok) {
        return loadFailed(std::move(outcome.message));
    }
    m_mustNotOverwrite = false;
    return outcome;
}

RecordFileBase::Outcome RecordFileBase::loadFailed(std::string message)
{
    // Whatever comes next may save the records read so far over the file: keep it first, once.
    if (!fileStatus(m_path).exists) {
        return {false, std::move(message)};
    }
    const std::string prefix = m_path + ".damaged.";
    if (const auto kept = findCopyWithSameContents(m_path, prefix)) {
        m_mustNotOverwrite = false;
        message += "\nThe file as it was is kept in " + *kept + ".";
        return {false, std::move(message)};
    }
    if (m_use == FileUse::ReadOnly) {
        m_mustNotOverwrite = true;
        message += "\nThe file was left as it is; it is copied aside before anything is written "
                   "over it.";
        return {false, std::move(message)};
    }
    const std::string copy = firstFreeName(prefix);
    if (const int error = copyFile(m_path, copy); error != 0) {
        m_mustNotOverwrite = true;
        message += "\nIt could not be copied aside (";
        message += std::strerror(error);
        message += "), so Daylark will not write over it.";
        return {false, std::move(message)};
    }
    m_mustNotOverwrite = false;
    message += "\nThe file as it was is kept in " + copy + ".";
    return {false, std::move(message)};
}

RecordFileBase::Outcome
RecordFileBase::writeFile(std::size_t count,
                          const std::function<void(CRecordArchive&)>& writeRecords)
{
    if (m_use == FileUse::ReadOnly) {
        return {false, "Nothing was saved: " + m_path + " was opened for reading only."};
    }
    if (m_mustNotOverwrite) {
        return {false, "Nothing was saved: " + m_path +
                           " could not be read or copied aside, and Daylark does not write "
                           "over it."};
    }
    if (count > kMaxRecords) {
        return {false, "Nothing was saved: a Daylark file holds at most 65535 " +
                           std::string(m_recordNoun) + "."};
    }
    std::optional<AtomicFile> atomic;
    try {
        atomic.emplace(m_path);
    } catch (const CFileException& failure) {
        return {false, fileFailure(m_contexts.creating, failure)};
    } catch (const std::bad_alloc&) {
        return {false, m_contexts.reading.message(CMemoryException())};
    }

    std::unique_ptr<ByteFile> filtered = m_filter ? m_filter(atomic->file()) : nullptr;
    ByteFile& device = filtered ? *filtered : atomic->file();
    bool closing = false;
    try {
        CRecordArchive ar(device, CRecordArchive::Mode::Storing);
        ar.writeDword(m_fileVersion);
        ar.writeWord(static_cast<std::uint16_t>(count));
        writeRecords(ar);
        closing = true;
        ar.Close();
        atomic->commit();
    } catch (const CRecordFieldsException& failure) {
        return {false, fileFailure(m_contexts.recordFields, failure)};
    } catch (const CException& failure) {
        return {false, (closing ? m_contexts.closing : m_contexts.archiving).message(failure)};
    } catch (const std::bad_alloc&) {
        return {false, m_contexts.archiving.message(CMemoryException())};
    }
    return {};
}

int RecordFileBase::report(const Outcome& outcome)
{
    if (outcome.ok) {
        return 0;
    }
    m_messages.error(outcome.message);
    return 1;
}

void RecordFileBase::refuseFullList()
{
    m_messages.error("Daylark keeps at most 65535 " + std::string(m_recordNoun) +
                     " in one file; this one was not added.");
}

} // namespace daylark
