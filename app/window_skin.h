#pragma once
// The window skin: the program's look comes from a separate shared library, libSkinH_EL.so,
// which the program carries inside itself, places in the system library folder at start-up
// when none is there yet, and binds at run time, function by function, on first use.

#include <cstdint>
#include <filesystem>
#include <span>

namespace app {

inline constexpr const char* skinLibraryFileName = "libSkinH_EL.so";

// The built skin library's own bytes, and the program's skin text (app/skin/ohmbra.skin).
std::span<const std::uint8_t> skinLibraryImage();
std::span<const std::uint8_t> mainSkinData();

// The folder the dynamic loader searches by default, e.g. /usr/lib/x86_64-linux-gnu.
std::filesystem::path defaultSystemFolder();

// Writes image as systemFolder/libSkinH_EL.so unless an entry of that name exists (whatever it
// is; it is never compared or replaced). Every failure is ignored; a partly written file is
// removed so that a broken library is never left to be loaded.
void ensureSkinLibrary(const std::filesystem::path& systemFolder,
                       std::span<const std::uint8_t> image);

// Held for the program's whole run; constructing it places the skin library.
struct WindowSkin {
    explicit WindowSkin(const std::filesystem::path& systemFolder = defaultSystemFolder());
};

using SkinAttachResFunction = std::int32_t (*)(const unsigned char* data, std::int32_t size,
                                               const char* password, std::int32_t value1,
                                               std::int32_t value2, std::int32_t value3);
using SkinSetAeroFunction = std::int32_t (*)(std::int32_t enabled);

// Where the skin library is looked for and what has been bound from it. The library is loaded
// by the first call of either function and stays loaded until unloadSkinLibrary.
struct SkinBinding {
    std::filesystem::path programFolder; // searched first; empty: the program file's own folder
    void* handle = nullptr;
    SkinAttachResFunction attachRes = nullptr;
    SkinSetAeroFunction setAero = nullptr;
    std::filesystem::path loadedPath;
};

// The program's binding. Its programFolder may be set before the first call.
SkinBinding& skinBinding();

// Call the library's functions, binding them first if needed. A library that cannot be loaded or
// lacks the function ends the process (status 255) after saying why.
std::int32_t skinAttachRes(SkinBinding& binding, const unsigned char* data, std::int32_t size,
                           const char* password, std::int32_t value1, std::int32_t value2,
                           std::int32_t value3);
std::int32_t skinSetAero(SkinBinding& binding, std::int32_t enabled);

// Applies skinData to the whole application and turns the translucent look on or off.
void attachSkin(std::span<const std::uint8_t> skinData, std::int32_t value1, std::int32_t value2,
                std::int32_t value3, bool glass);

// Closes the library and forgets what was bound; the next call loads it again.
void unloadSkinLibrary(SkinBinding& binding);
void unloadSkinLibrary();

// The file the library was loaded from; empty while none is loaded.
std::filesystem::path loadedSkinLibraryPath(const SkinBinding& binding);
std::filesystem::path loadedSkinLibraryPath();

} // namespace app
