// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/startup/PlatformChoice.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace quartet {

namespace {

// From this version on, Qt draws its Adwaita-like bar on GNOME: a close box
// only, for a window that cannot be resized.
constexpr unsigned kGnomeTitleBarSince = 0x060800;

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool installed(const DisplayFacts& facts, const std::string& key)
{
    return std::find(facts.decorations.begin(), facts.decorations.end(), lowerCase(key)) != facts.decorations.end();
}

// Qt reads XDG_CURRENT_DESKTOP as a list such as "ubuntu:GNOME".
bool onGnome(const std::string& desktop)
{
    std::istringstream names(desktop);
    for (std::string name; std::getline(names, name, ':');) {
        if (lowerCase(name) == "gnome")
            return true;
    }
    return false;
}

enum class QtTitleBar { None, ChosenByUser, CloseOnly, Plain };

// The bar Qt draws on Wayland when the compositor draws none, chosen as Qt
// chooses its title-bar plugin.
QtTitleBar qtTitleBar(const DisplayFacts& facts)
{
    if (facts.decorationsOff)
        return QtTitleBar::None;
    if (!facts.decorationNamed.empty() && installed(facts, facts.decorationNamed))
        return QtTitleBar::ChosenByUser;
    if (facts.qtVersion >= kGnomeTitleBarSince && onGnome(facts.desktop)
        && (installed(facts, "adwaita") || installed(facts, "gnome")))
        return QtTitleBar::CloseOnly;
    return QtTitleBar::Plain;
}

}  // namespace

bool runsBetterOnX(const DisplayFacts& facts)
{
    if (facts.platformNamed || !facts.xOpens || !facts.waylandOpens || facts.compositorDrawsTitleBars)
        return false;
    return qtTitleBar(facts) == QtTitleBar::Plain;
}

QtArguments::QtArguments(int argc, char* argv[], const std::string& platform) : m_platform(platform)
{
    m_values.assign(argv, argv + argc);
    if (!m_platform.empty() && !m_values.empty())
        m_values.insert(m_values.begin() + 1, {m_option.data(), m_platform.data()});
    m_count = static_cast<int>(m_values.size());
    m_values.push_back(nullptr);
}

}  // namespace quartet
