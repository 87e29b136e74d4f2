#include "Models/RenameRule.h"

#include <nlohmann/json.hpp>

#include <optional>

namespace {

using nlohmann::json;

// Reads the 32 keys one by one and remembers the first failure, so that the message
// names exactly the key that is wrong.
class StrictReader {
  public:
    explicit StrictReader(const json& object) : object_(object) {}

    const std::optional<Error>& error() const { return error_; }

    void string(const char* key, std::string& out) {
        if (const json* v = find(key, "a string", &json::is_string)) {
            out = v->get<std::string>();
        }
    }

    void boolean(const char* key, bool& out) {
        if (const json* v = find(key, "true or false", &json::is_boolean)) {
            out = v->get<bool>();
        }
    }

    void integer(const char* key, std::int64_t& out) {
        if (const json* v = find(key, "an integer", &json::is_number_integer)) {
            // Unsigned values above the signed range do not fit 64 bits.
            if (v->is_number_unsigned() &&
                v->get<std::uint64_t>() > static_cast<std::uint64_t>(INT64_MAX)) {
                fail(Error::Code::invalidValue, key, "is too large for a 64-bit integer");
                return;
            }
            out = v->get<std::int64_t>();
        }
    }

    template <typename E>
    void enumeration(const char* key, E& out) {
        std::string raw;
        if (const json* v = find(key, "a string", &json::is_string)) {
            raw = v->get<std::string>();
            if (auto value = fromRawValue<E>(raw)) {
                out = *value;
            } else {
                fail(Error::Code::invalidValue, key, "has the unknown value \"" + raw + "\"");
            }
        }
    }

    void uuid(const char* key, Uuid& out) {
        if (const json* v = find(key, "a string", &json::is_string)) {
            if (auto id = Uuid::fromString(v->get<std::string>())) {
                out = *id;
            } else {
                fail(Error::Code::invalidValue, key, "is not a UUID");
            }
        }
    }

  private:
    const json* find(const char* key, const char* expected, bool (json::*is)() const noexcept) {
        if (error_) {
            return nullptr;
        }
        auto it = object_.find(key);
        if (it == object_.end()) {
            fail(Error::Code::missingKey, key, "is missing");
            return nullptr;
        }
        if (!((*it).*is)()) {
            fail(Error::Code::wrongType, key, std::string("must be ") + expected);
            return nullptr;
        }
        return &*it;
    }

    void fail(Error::Code code, const char* key, const std::string& what) {
        if (!error_) {
            error_ = Error{code, std::string("key \"") + key + "\" " + what};
        }
    }

    const json& object_;
    std::optional<Error> error_;
};

}  // namespace

nlohmann::json RenameRule::toJson() const {
    return json{
        {"id", id.toString()},
        {"type", rawValue(type)},
        {"isEnabled", isEnabled},
        {"findText", findText},
        {"replaceText", replaceText},
        {"isCaseSensitive", isCaseSensitive},
        {"useRegex", useRegex},
        {"insertText", insertText},
        {"insertPosition", rawValue(insertPosition)},
        {"insertIndex", insertIndex},
        {"insertAnchorText", insertAnchorText},
        {"removeTarget", rawValue(removeTarget)},
        {"removeText", removeText},
        {"removeCount", removeCount},
        {"removeFromIndex", removeFromIndex},
        {"removeToIndex", removeToIndex},
        {"removeBetweenStart", removeBetweenStart},
        {"removeBetweenEnd", removeBetweenEnd},
        {"caseType", rawValue(caseType)},
        {"numberingStart", numberingStart},
        {"numberingStep", numberingStep},
        {"numberingPadding", numberingPadding},
        {"numberingPosition", rawValue(numberingPosition)},
        {"numberingSeparator", numberingSeparator},
        {"numberingFormat", numberingFormat},
        {"dateFormat", dateFormat},
        {"datePosition", rawValue(datePosition)},
        {"newExtension", newExtension},
        {"replaceSpacesWithUnderscores", replaceSpacesWithUnderscores},
        {"removeSpecialChars", removeSpecialChars},
        {"removeDuplicateSpaces", removeDuplicateSpaces},
        {"trimWhitespace", trimWhitespace},
    };
}

Result<RenameRule> RenameRule::fromJson(const nlohmann::json& object) {
    if (!object.is_object()) {
        return Error{Error::Code::invalidJson, "a rule must be a JSON object"};
    }
    RenameRule rule(RuleType::replace);
    StrictReader r(object);
    r.uuid("id", rule.id);
    r.enumeration("type", rule.type);
    r.boolean("isEnabled", rule.isEnabled);
    r.string("findText", rule.findText);
    r.string("replaceText", rule.replaceText);
    r.boolean("isCaseSensitive", rule.isCaseSensitive);
    r.boolean("useRegex", rule.useRegex);
    r.string("insertText", rule.insertText);
    r.enumeration("insertPosition", rule.insertPosition);
    r.integer("insertIndex", rule.insertIndex);
    r.string("insertAnchorText", rule.insertAnchorText);
    r.enumeration("removeTarget", rule.removeTarget);
    r.string("removeText", rule.removeText);
    r.integer("removeCount", rule.removeCount);
    r.integer("removeFromIndex", rule.removeFromIndex);
    r.integer("removeToIndex", rule.removeToIndex);
    r.string("removeBetweenStart", rule.removeBetweenStart);
    r.string("removeBetweenEnd", rule.removeBetweenEnd);
    r.enumeration("caseType", rule.caseType);
    r.integer("numberingStart", rule.numberingStart);
    r.integer("numberingStep", rule.numberingStep);
    r.integer("numberingPadding", rule.numberingPadding);
    r.enumeration("numberingPosition", rule.numberingPosition);
    r.string("numberingSeparator", rule.numberingSeparator);
    r.string("numberingFormat", rule.numberingFormat);
    r.string("dateFormat", rule.dateFormat);
    r.enumeration("datePosition", rule.datePosition);
    r.string("newExtension", rule.newExtension);
    r.boolean("replaceSpacesWithUnderscores", rule.replaceSpacesWithUnderscores);
    r.boolean("removeSpecialChars", rule.removeSpecialChars);
    r.boolean("removeDuplicateSpaces", rule.removeDuplicateSpaces);
    r.boolean("trimWhitespace", rule.trimWhitespace);
    if (r.error()) {
        return *r.error();
    }
    return rule;
}
