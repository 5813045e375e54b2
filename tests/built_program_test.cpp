// Varnel.exe as built: its manifest, icon and version information, read
// from the file the way Windows and Explorer read them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "standin/win32/desktop_automation.h"

namespace varnel {
namespace {

class BuiltProgram : public testing::Test {
 protected:
  void SetUp() override {
    module = LoadLibraryExW(path.c_str(), nullptr,
                            LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_TRUE(module) << "Varnel.exe is beside the tests";
  }
  void TearDown() override {
    if (module) FreeLibrary(module);
  }

  std::string resource(const wchar_t* type, int id) const {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!found) return {};
    const auto* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    return std::string(data, SizeofResource(module, found));
  }

  std::wstring path = win::programPath(L"Varnel.exe");
  HMODULE module = nullptr;
};

TEST_F(BuiltProgram, AsksForVisualStylesAndPerMonitorDpiButNoCodePage) {
  const std::string manifest = resource(MAKEINTRESOURCEW(24), 1);
  ASSERT_FALSE(manifest.empty());
  for (const char* entry :
       {"level=\"asInvoker\"", "Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        "PerMonitorV2, PerMonitor", "true/pm",
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",   // Windows 7
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})  // Windows 10 and 11
    EXPECT_NE(manifest.find(entry), std::string::npos) << entry;
  EXPECT_EQ(manifest.find("<activeCodePage"), std::string::npos)
      << "the ECO file follows the system's ANSI code page";
}

#pragma pack(push, 2)
struct IconEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

TEST_F(BuiltProgram, CarriesItsIconInEverySizeWindowsAsksFor) {
  const std::string group = resource(MAKEINTRESOURCEW(14), 1);  // RT_GROUP_ICON
  ASSERT_GE(group.size(), 6u);
  const WORD count = *reinterpret_cast<const WORD*>(group.data() + 4);
  ASSERT_EQ(group.size(), 6u + count * sizeof(IconEntry));
  std::vector<int> sizes;
  for (WORD k = 0; k < count; ++k) {
    IconEntry entry;
    memcpy(&entry, group.data() + 6 + k * sizeof(IconEntry), sizeof entry);
    const int size = entry.width == 0 ? 256 : entry.width;
    sizes.push_back(size);
    const std::string image = resource(MAKEINTRESOURCEW(3), entry.id);  // RT_ICON
    ASSERT_EQ(image.size(), entry.bytes) << size;
    HICON icon =
        CreateIconFromResourceEx(reinterpret_cast<BYTE*>(const_cast<char*>(image.data())),
                                 static_cast<DWORD>(image.size()), TRUE, 0x00030000, size, size, 0);
    EXPECT_TRUE(icon) << "the " << size << " pixel image loads";
    ICONINFO info{};
    if (icon && GetIconInfo(icon, &info)) {
      BITMAP colour{};
      GetObjectW(info.hbmColor, sizeof colour, &colour);
      EXPECT_EQ(colour.bmWidth, size);
      DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);
    }
    if (icon) DestroyIcon(icon);
  }
  EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 48, 256}));
}

TEST_F(BuiltProgram, NamesItsVersionInTheFilesProperties) {
  std::vector<char> block(GetFileVersionInfoSizeW(path.c_str(), nullptr));
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  auto text = [&](const wchar_t* name) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
      return std::wstring();
    return std::wstring(value, length ? length - 1 : 0);
  };
  const std::string version = VARNEL_VERSION;
  EXPECT_EQ(text(L"ProductVersion"), std::wstring(version.begin(), version.end()));
  EXPECT_EQ(text(L"FileVersion"), std::wstring(version.begin(), version.end()));
  EXPECT_EQ(text(L"ProductName"), L"Varnel");
  EXPECT_EQ(text(L"OriginalFilename"), L"Varnel.exe");
  EXPECT_NE(text(L"FileDescription").find(L"reference designators"), std::wstring::npos);
  EXPECT_EQ(text(L"LegalCopyright").rfind(L"Copyright", 0), 0u);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  const int major = std::stoi(version), minor = std::stoi(version.substr(version.find('.') + 1));
  EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(major << 16 | minor));
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
}

}  // namespace
}  // namespace varnel
