#include "json_writer.h"

#include <cstdio>

namespace varnelctl {

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out.push_back(static_cast<char>(c));
                }
        }
    }
    return out + "\"";
}

JsonObject& JsonObject::AddRaw(const std::string& key, const std::string& json) {
    if (!m_strBody.empty()) m_strBody += ",";
    m_strBody += JsonString(key) + ":" + json;
    return *this;
}

JsonObject& JsonObject::Add(const std::string& key, const std::string& value) {
    return AddRaw(key, JsonString(value));
}

JsonObject& JsonObject::Add(const std::string& key, int64_t value) {
    return AddRaw(key, std::to_string(value));
}

JsonObject& JsonObject::Add(const std::string& key, bool value) {
    return AddRaw(key, value ? "true" : "false");
}

JsonObject& JsonObject::AddNull(const std::string& key) {
    return AddRaw(key, "null");
}

JsonObject& JsonObject::Add(const std::string& key, const JsonObject& value) {
    return AddRaw(key, value.Text());
}

JsonObject& JsonObject::Add(const std::string& key, const std::vector<JsonObject>& values) {
    std::string json = "[";
    for (size_t i = 0; i < values.size(); ++i) json += (i ? "," : "") + values[i].Text();
    return AddRaw(key, json + "]");
}

JsonObject& JsonObject::Add(const std::string& key, const std::vector<int>& values) {
    std::string json = "[";
    for (size_t i = 0; i < values.size(); ++i) json += (i ? "," : "") + std::to_string(values[i]);
    return AddRaw(key, json + "]");
}

}  // namespace varnelctl
