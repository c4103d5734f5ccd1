// SPDX-License-Identifier: MIT
#pragma once

// The part of JSON Schema the tool's schemas use (type, enum, properties, required,
// additionalProperties, items, minimum, local $ref), enough to hold the output to its documented
// shape without a validator from outside.

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace zentravolix::test {

class JsonSchema {
public:
    explicit JsonSchema(nlohmann::json schema) : m_root(std::move(schema)) {}

    /** Every place where `value` breaks the schema, as "JSON pointer: reason"; empty when it fits. */
    std::vector<std::string> validate(const nlohmann::json& value) const
    {
        std::vector<std::string> errors;
        check(m_root, value, "", errors);
        return errors;
    }

private:
    static bool hasType(const nlohmann::json& value, const std::string& type)
    {
        if (type == "object") return value.is_object();
        if (type == "array") return value.is_array();
        if (type == "string") return value.is_string();
        if (type == "integer") return value.is_number_integer();
        if (type == "number") return value.is_number();
        if (type == "boolean") return value.is_boolean();
        if (type == "null") return value.is_null();
        return false;
    }

    const nlohmann::json& resolve(const nlohmann::json& schema) const
    {
        if (!schema.contains("$ref"))
            return schema;
        const std::string ref = schema["$ref"];
        // Local references only: "#/$defs/name".
        return m_root.at(nlohmann::json::json_pointer(ref.substr(1)));
    }

    void check(const nlohmann::json& rawSchema, const nlohmann::json& value, const std::string& where,
               std::vector<std::string>& errors) const
    {
        const nlohmann::json& schema = resolve(rawSchema);
        if (schema.contains("type")) {
            bool ok = false;
            if (schema["type"].is_array()) {
                for (const auto& t : schema["type"])
                    ok = ok || hasType(value, t);
            } else {
                ok = hasType(value, schema["type"]);
            }
            if (!ok) {
                errors.push_back(where + ": type is not " + schema["type"].dump() + " (" + value.dump() + ")");
                return;
            }
        }
        if (schema.contains("enum")) {
            bool found = false;
            for (const auto& e : schema["enum"])
                found = found || e == value;
            if (!found)
                errors.push_back(where + ": " + value.dump() + " is not in " + schema["enum"].dump());
        }
        if (schema.contains("minimum") && value.is_number() && value.get<double>() < schema["minimum"].get<double>())
            errors.push_back(where + ": below the minimum");
        if (value.is_object()) {
            if (schema.contains("required")) {
                for (const auto& name : schema["required"]) {
                    if (!value.contains(name.get<std::string>()))
                        errors.push_back(where + ": member " + name.get<std::string>() + " is missing");
                }
            }
            const auto properties = schema.value("properties", nlohmann::json::object());
            for (auto it = value.begin(); it != value.end(); ++it) {
                const std::string path = where + "/" + it.key();
                if (properties.contains(it.key()))
                    check(properties[it.key()], it.value(), path, errors);
                else if (schema.contains("additionalProperties") && schema["additionalProperties"] == false)
                    errors.push_back(path + ": member not in the schema");
            }
        }
        if (value.is_array() && schema.contains("items")) {
            for (std::size_t i = 0; i < value.size(); ++i)
                check(schema["items"], value[i], where + "/" + std::to_string(i), errors);
        }
    }

    nlohmann::json m_root;
};

} // namespace zentravolix::test
