#include "object_rules.h"

#include "objects/kind_blocks.h"
#include "objects/object_bounds.h"

#include <algorithm>
#include <map>
#include <type_traits>

namespace carvelle {

namespace {

constexpr std::uint8_t kButtonKind = 0;

void SetDefaultCaption(KindProperties& properties) {
    std::visit(
        [](auto& block) {
            using Block = std::remove_cvref_t<decltype(block)>;
            if constexpr (std::is_same_v<Block, kinds::Button>) {
                block.Caption = "New Button";
            } else if constexpr (std::is_same_v<Block, kinds::ImageButton>) {
                block.Caption = "New ImageButton";
            } else if constexpr (std::is_same_v<Block, kinds::Label>) {
                block.Caption = "New Label";
            } else if constexpr (std::is_same_v<Block, kinds::Link>) {
                block.Caption = "New Link";
            } else if constexpr (std::is_same_v<Block, kinds::Text>) {
                block.Lines = "New Text\r\n";
            } else if constexpr (std::is_same_v<Block, kinds::ScrollText>) {
                block.Lines = "New Scroll Text\r\n";
            } else if constexpr (std::is_same_v<Block, kinds::RadioButton>) {
                block.Caption = "New RadioButton";
            } else if constexpr (std::is_same_v<Block, kinds::CheckBox>) {
                block.Caption = "New CheckBox";
            } else if constexpr (std::is_same_v<Block, kinds::SimpleText>) {
                block.Caption = "New SimpleText";
            }
        },
        properties);
}

} // namespace

std::string UniqueObjectName(const TPage& page, std::uint8_t kind) {
    const std::string stem = KindInfoOf(kind).Name;
    for (unsigned n = 1;; ++n) {
        const std::string candidate = stem + std::to_string(n);
        const bool taken =
            std::any_of(page.Objects.begin(), page.Objects.end(),
                        [&](const TAutoObject& o) { return o.Command.Name == candidate; });
        if (!taken) {
            return candidate;
        }
    }
}

TAutoObject& CreateObject(TPage& page, std::uint8_t kind, std::int32_t left, std::int32_t top) {
    for (TAutoObject& object : page.Objects) {
        object.Selected = false;
    }
    TAutoObject object;
    object.Properties = DefaultKindProperties(kind);
    object.Command.Name = UniqueObjectName(page, kind);
    SetDefaultCaption(object.Properties);
    Bounds bounds = ObjectBounds(object.Properties);
    bounds.Left = left;
    bounds.Top = top;
    SetObjectBounds(object.Properties, bounds);
    page.Objects.push_back(std::move(object));
    return page.Objects.back();
}

bool IsWindowlessKind(std::uint8_t kind) {
    return kind <= 7 || kind == 17 || kind == 19;
}

void ReorderObjects(TPage& page) {
    std::stable_partition(page.Objects.begin(), page.Objects.end(),
                          [](const TAutoObject& o) { return IsWindowlessKind(o.Kind()); });
}

std::vector<int> ButtonToggleGroups(const TPage& page) {
    std::map<std::string, int> numbers;
    for (const TAutoObject& object : page.Objects) {
        const std::string& group = object.Command.GroupName;
        if (!group.empty() && !numbers.contains(group)) {
            const int next = static_cast<int>(numbers.size()) + 1;
            numbers.emplace(group, next);
        }
    }
    std::vector<int> groups;
    groups.reserve(page.Objects.size());
    for (const TAutoObject& object : page.Objects) {
        const bool toggles = object.Kind() == kButtonKind && object.Command.CheckStyleInGroup &&
                             !object.Command.GroupName.empty();
        groups.push_back(toggles ? numbers.at(object.Command.GroupName) : 0);
    }
    return groups;
}

} // namespace carvelle
