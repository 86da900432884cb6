// A small JSON object writer for varnelctl's --json output.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varnelctl {

class JsonObject {
  public:
    JsonObject& Add(const std::string& key, const std::string& value);
    JsonObject& Add(const std::string& key, const char* value) {
        return Add(key, std::string(value));
    }
    JsonObject& Add(const std::string& key, int64_t value);
    JsonObject& Add(const std::string& key, int value) { return Add(key, int64_t{value}); }
    JsonObject& Add(const std::string& key, bool value);
    JsonObject& AddNull(const std::string& key);
    JsonObject& Add(const std::string& key, const JsonObject& value);
    JsonObject& Add(const std::string& key, const std::vector<JsonObject>& values);
    JsonObject& Add(const std::string& key, const std::vector<int>& values);
    std::string Text() const { return "{" + m_strBody + "}"; }

  private:
    JsonObject& AddRaw(const std::string& key, const std::string& json);
    std::string m_strBody;
};

std::string JsonString(const std::string& text);

}  // namespace varnelctl
