// Objects that can be written to and read from a typedstream archive, and the registry
// that finds a class by its archived name.
//
// Every archivable class is registered with its name, its version and its superclass's
// name; the chain of superclasses ends at "NSObject". A concrete class also registers a
// decoder, which builds the object from the archive's groups (the class's initWithCoder).
// Strings and colours are archived as the platform's value classes (NSString,
// NSMutableString, NSColor) and come back as QString and QColor.
#pragma once

#include <QColor>
#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>

class slArchiver;
class slUnarchiver;

class slCoding {
public:
    virtual ~slCoding() = default;
    // The registered name the object is archived under.
    virtual const char *archiveClassName() const = 0;
    // Writes the object's groups, base class first.
    virtual void encodeWithCoder(slArchiver &coder) const = 0;
};

// One decoded object: nil, a string, a colour, or one of our objects.
using slArchivedObject = std::variant<std::monostate, QString, QColor, std::shared_ptr<slCoding>>;

struct slArchiveClass {
    std::string name;
    int version = 0;
    std::string superclass;                                           // empty only for NSObject
    std::function<std::shared_ptr<slCoding>(slUnarchiver &)> decode;  // null for abstract classes
};

class slArchiveRegistry {
public:
    // Holds NSObject, NSString, NSMutableString and NSColor from the start.
    slArchiveRegistry();
    // The registry that archives and unarchives use unless given another one.
    static slArchiveRegistry &shared();

    void registerClass(slArchiveClass archiveClass);
    const slArchiveClass *find(std::string_view name) const;
    bool isKindOf(std::string_view name, std::string_view ancestor) const;

private:
    // Entries never move once made, so views of their names can key the table.
    std::deque<slArchiveClass> entries_;
    std::unordered_map<std::string_view, slArchiveClass *> classes_;
};

// Names of the platform value classes.
inline constexpr const char *kNSObject = "NSObject";
inline constexpr const char *kNSString = "NSString";
inline constexpr const char *kNSMutableString = "NSMutableString";
inline constexpr const char *kNSColor = "NSColor";
