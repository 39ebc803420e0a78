// The registry calls and the move of our platform layer (src/platform), as a conformance
// machine offers them: the part both runners of our layer share, on Linux and on Windows. Each
// lays out its cases in its own way.
#pragma once

#include "machine.h"

namespace conformance {

class PlatformCalls : public Machine {
  public:
    Handle LocalMachine() const override;
    std::int32_t OpenKey(Handle key, const char* sub_key, Handle* result) override;
    std::int32_t CreateKey(Handle key, const char* sub_key, Handle* result) override;
    std::int32_t QueryValue(Handle key, const char* sub_key, char* data,
                            std::int32_t* size) override;
    std::int32_t SetValue(Handle key, const char* sub_key, std::uint32_t type, const char* data,
                          std::uint32_t size) override;
    std::int32_t CloseKey(Handle key) override;
    std::int32_t Move(const char* from, const char* to) override;
};

}  // namespace conformance
