#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace daylark {

class CObject;
class CRecordArchive;

/// What the record stream knows of a record class: the name and schema written in its class
/// description, and how to make an empty record of it before its fields are read.
struct ClassInfo
{
    std::string_view name;
    std::uint16_t schema = 1;
    std::unique_ptr<CObject> (*create)() = nullptr;
};

/// A record that the record stream can write and read.
class CObject
{
public:
    virtual ~CObject() = default;
    virtual const ClassInfo& classInfo() const = 0;
    /// Writes the record's fields when `ar` is storing, reads them when it is loading.
    virtual void Serialize(CRecordArchive& ar) = 0;
};

/// A record class that Daylark's files may name.
struct KnownClass
{
    std::string_view name;
    std::uint16_t schema;
};

/// The known class of that name, or null. Reading checks a class description against this
/// table before it looks at the class that the reader expects, so a known class with a wrong
/// schema fails as a schema mismatch and an unknown one as a wrong class.
const KnownClass* findKnownClass(std::string_view name);

} // namespace daylark
