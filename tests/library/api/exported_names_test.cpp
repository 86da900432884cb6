// The program binds the export pair by its decorated C++ names, so they must be exported under
// exactly those names, and nothing of the library's internals beside the host and transport
// selectors.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "varnel/LumoApi.h"

namespace {

class ExportedNames : public ::testing::Test {
  protected:
    void SetUp() override {
        m_pLibrary = dlopen(VARNEL_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_pLibrary, nullptr) << dlerror();
    }
    void TearDown() override {
        if (m_pLibrary) dlclose(m_pLibrary);
    }
    void* m_pLibrary = nullptr;
};

TEST_F(ExportedNames, ExportPairUsesDecoratedNamesThatCreateAndDestroy) {
    using Create = int (*)(CLumoApi**, long*);
    using Destroy = void (*)(CLumoApi*);
    auto create = reinterpret_cast<Create>(dlsym(m_pLibrary, "_Z13CreateLumoApiPP8CLumoApiPl"));
    auto destroy = reinterpret_cast<Destroy>(dlsym(m_pLibrary, "_Z14DestroyLumoApiP8CLumoApi"));
    ASSERT_NE(create, nullptr);
    ASSERT_NE(destroy, nullptr);
    EXPECT_EQ(dlsym(m_pLibrary, "CreateLumoApi"), nullptr) << "no undecorated name";
    CLumoApi* api = nullptr;
    long error = -1;
    ASSERT_EQ(create(&api, &error), 1);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(api->Reserved1(0, 0), 0);
    destroy(api);
    destroy(nullptr);
}

TEST_F(ExportedNames, InternalsStayHidden) {
    EXPECT_NE(dlsym(m_pLibrary, "_Z11SetLumoHostP9CLumoHost"), nullptr);
    EXPECT_NE(dlsym(m_pLibrary, "_Z19SelectLumoTransportPKc"), nullptr);
    EXPECT_EQ(dlsym(m_pLibrary, "_ZN6varnel6CHidIO4OpenEtt"), nullptr);
    EXPECT_EQ(dlsym(m_pLibrary, "_ZN6varnel9sockproto11EncodeFrameENS0_11MessageTypeEPKvm"),
              nullptr);
}

}  // namespace
