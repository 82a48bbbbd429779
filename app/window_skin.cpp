#include "app/window_skin.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

#ifndef OHMBRA_LIBRARY_ARCHITECTURE
#define OHMBRA_LIBRARY_ARCHITECTURE ""
#endif

namespace embedded {
extern const unsigned char skinLibraryImage[];
extern const std::size_t skinLibraryImageSize;
extern const unsigned char mainSkinData[];
extern const std::size_t mainSkinDataSize;
} // namespace embedded

namespace app {

namespace fs = std::filesystem;

namespace {

bool writeAll(int file, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(file, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

// Nobody could dismiss a message box on a platform without a screen.
bool canShowMessageBox() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        return false;
    }
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

// The program cannot run without its skin library. Ends at once: clean-up handlers would touch
// state that was never fully built.
[[noreturn]] void failToStart(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    std::fflush(stderr);
    if (canShowMessageBox()) {
        QMessageBox::critical(nullptr, QStringLiteral("Ohmbra"), QString::fromStdString(message));
    }
    std::_Exit(255);
}

fs::path programFileFolder() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : program.parent_path();
}

std::string lastLoaderError() {
    const char* text = dlerror();
    return text != nullptr ? text : "unknown error";
}

fs::path pathOf(void* handle) {
    link_map* map = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr || map->l_name == nullptr) {
        return {};
    }
    return map->l_name;
}

// The copy beside the program comes first, then the loader's standard search.
void load(SkinBinding& binding, std::string_view neededFor) {
    const fs::path folder =
        binding.programFolder.empty() ? programFileFolder() : binding.programFolder;
    std::string errors;
    if (!folder.empty()) {
        const fs::path beside = folder / skinLibraryFileName;
        binding.handle = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (binding.handle == nullptr) {
            errors = lastLoaderError() + "; ";
        }
    }
    if (binding.handle == nullptr) {
        binding.handle = dlopen(skinLibraryFileName, RTLD_NOW | RTLD_LOCAL);
    }
    if (binding.handle == nullptr) {
        failToStart("Ohmbra cannot start: the window-skin library " +
                    std::string(skinLibraryFileName) + " could not be loaded (" + errors +
                    lastLoaderError() + "); needed for " + std::string(neededFor) + ".");
    }
    binding.loadedPath = pathOf(binding.handle);
}

template <typename Function> Function bind(SkinBinding& binding, const char* name) {
    if (binding.handle == nullptr) {
        load(binding, name);
    }
    void* symbol = dlsym(binding.handle, name);
    if (symbol == nullptr) {
        failToStart("Ohmbra cannot start: the window-skin library " +
                    std::string(skinLibraryFileName) + " (" + binding.loadedPath.string() +
                    ") has no function " + name + ".");
    }
    return reinterpret_cast<Function>(symbol);
}

} // namespace

std::span<const std::uint8_t> skinLibraryImage() {
    return {embedded::skinLibraryImage, embedded::skinLibraryImageSize};
}

std::span<const std::uint8_t> mainSkinData() {
    return {embedded::mainSkinData, embedded::mainSkinDataSize};
}

fs::path defaultSystemFolder() {
    const std::string_view architecture = OHMBRA_LIBRARY_ARCHITECTURE;
    return architecture.empty() ? fs::path("/usr/lib") : fs::path("/usr/lib") / architecture;
}

void ensureSkinLibrary(const fs::path& systemFolder, std::span<const std::uint8_t> image) {
    const fs::path target = systemFolder / skinLibraryFileName;
    std::error_code error;
    if (fs::symlink_status(target, error).type() != fs::file_type::not_found) {
        return; // present, or cannot tell: leave it be
    }
    // O_EXCL: never write through or over an entry that appeared meanwhile.
    const int file = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (file < 0) {
        return;
    }
    const bool written = writeAll(file, image);
    if (::close(file) != 0 || !written) {
        ::unlink(target.c_str()); // a truncated library would crash whoever loads it
    }
}

WindowSkin::WindowSkin(const fs::path& systemFolder) {
    ensureSkinLibrary(systemFolder, skinLibraryImage());
}

SkinBinding& skinBinding() {
    static SkinBinding binding;
    return binding;
}

std::int32_t skinAttachRes(SkinBinding& binding, const unsigned char* data, std::int32_t size,
                           const char* password, std::int32_t value1, std::int32_t value2,
                           std::int32_t value3) {
    if (binding.attachRes == nullptr) {
        binding.attachRes = bind<SkinAttachResFunction>(binding, "SkinH_AttachRes");
    }
    return binding.attachRes(data, size, password, value1, value2, value3);
}

std::int32_t skinSetAero(SkinBinding& binding, std::int32_t enabled) {
    if (binding.setAero == nullptr) {
        binding.setAero = bind<SkinSetAeroFunction>(binding, "SkinH_SetAero");
    }
    return binding.setAero(enabled);
}

void attachSkin(std::span<const std::uint8_t> skinData, std::int32_t value1, std::int32_t value2,
                std::int32_t value3, bool glass) {
    SkinBinding& binding = skinBinding();
    skinAttachRes(binding, skinData.empty() ? nullptr : skinData.data(),
                  static_cast<std::int32_t>(skinData.size()), "", value1, value2, value3);
    skinSetAero(binding, glass ? 1 : 0);
}

void unloadSkinLibrary(SkinBinding& binding) {
    if (binding.handle != nullptr) {
        dlclose(binding.handle);
    }
    binding.handle = nullptr;
    binding.attachRes = nullptr;
    binding.setAero = nullptr;
    binding.loadedPath.clear();
}

void unloadSkinLibrary() {
    unloadSkinLibrary(skinBinding());
}

fs::path loadedSkinLibraryPath(const SkinBinding& binding) {
    return binding.loadedPath;
}

fs::path loadedSkinLibraryPath() {
    return loadedSkinLibraryPath(skinBinding());
}

} // namespace app
