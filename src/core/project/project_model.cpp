#include "project_model.h"

#include <array>
#include <utility>

namespace carvelle {

const char* PageKindName(std::int32_t kind) {
    static constexpr std::array<const char*, 7> kNames{
        "Splash Screen", "Screen Background", "Main Page",     "Sub Page",
        "Exit Form",     "Security Form",     "Agreement Form"};
    return kind >= 0 && kind < static_cast<std::int32_t>(kNames.size())
               ? kNames[static_cast<std::size_t>(kind)]
               : "";
}

void TSettings::ResetKeepingInstallers() {
    std::vector<TInstallWare> installers = std::move(Installers);
    *this = TSettings{};
    Installers = std::move(installers);
}

} // namespace carvelle
