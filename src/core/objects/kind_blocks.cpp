#include "kind_blocks.h"

#include "common/error_codes.h"
#include "common/guarded.h"
#include "record_fields.h"

#include <array>
#include <type_traits>
#include <utility>

namespace carvelle {

namespace {

constexpr std::array<KindInfo, kKindCount> kKinds{{
    {"Button", "TAuButton", ErrorCode::ButtonWrite, ErrorCode::ButtonRead},
    {"ImageButton", "TAuImageButton", ErrorCode::ImageButtonWrite, ErrorCode::ImageButtonRead},
    {"Image", "TAuImage", ErrorCode::ImageWrite, ErrorCode::ImageRead},
    {"Label", "TAuLabel", ErrorCode::LabelWrite, ErrorCode::LabelRead},
    {"Link", "TAuLink", ErrorCode::LinkWrite, ErrorCode::LinkRead},
    {"FadeLabel", "TAuFadeLabel", ErrorCode::FadeLabelWrite, ErrorCode::FadeLabelRead},
    {"Text", "TAuText", ErrorCode::TextWrite, ErrorCode::TextRead},
    {"ScrollText", "TAuScrollText", ErrorCode::ScrollTextWrite, ErrorCode::ScrollTextRead},
    {"TextBox", "TAuTextBox", ErrorCode::TextBoxWrite, ErrorCode::TextBoxRead},
    {"RichText", "TAuRichTextBox", ErrorCode::RichTextWrite, ErrorCode::RichTextRead},
    {"AVI", "TAuAVI", ErrorCode::AviWrite, ErrorCode::AviRead},
    {"Explorer", "TAuExplorer", ErrorCode::ExplorerWrite, ErrorCode::ExplorerRead},
    {"MediaPlayer", "TAuMedia", ErrorCode::MediaPlayerWrite, ErrorCode::MediaPlayerRead},
    {"SlideShow", "TAuSlideShow", ErrorCode::SlideShowWrite, ErrorCode::SlideShowRead},
    {"Edit", "TAuSecurityEdit", ErrorCode::EditWrite, ErrorCode::EditRead},
    {"RadioButton", "TAuAgreementRadio", ErrorCode::RadioButtonWrite, ErrorCode::RadioButtonRead},
    {"CheckBox", "TAuAgreementCheck", ErrorCode::CheckBoxWrite, ErrorCode::CheckBoxRead},
    {"SimpleText", "TAuSimpleText", ErrorCode::SimpleTextWrite, ErrorCode::SimpleTextRead},
    {"Flash", "TAuFlash", ErrorCode::FlashWrite, ErrorCode::FlashRead},
    {"Shape", "TAuShape", ErrorCode::ShapeWrite, ErrorCode::ShapeRead},
    {"ListBox", "TAuListBox", ErrorCode::ListBoxWrite, ErrorCode::ListBoxRead},
    {"DropDownList", "TAuComboBox", ErrorCode::DropDownListWrite, ErrorCode::DropDownListRead},
    {"ListView", "TAuListView", ErrorCode::ListViewWrite, ErrorCode::ListViewRead},
    {"TreeView", "TAuTreeView", ErrorCode::TreeViewWrite, ErrorCode::TreeViewRead},
    {"ShellComboBox", "TAuShellComboBox", ErrorCode::ShellComboBoxWrite,
     ErrorCode::ShellComboBoxRead},
    {"ShellTreeView", "TAuShellTreeView", ErrorCode::ShellTreeViewWrite,
     ErrorCode::ShellTreeViewRead},
    {"ShellListView", "TAuShellListView", ErrorCode::ShellListViewWrite,
     ErrorCode::ShellListViewRead},
}};

constexpr std::uint8_t kExplorerKind = 11;

int BlockCode(std::uint8_t kind, bool placeholder, bool reading) {
    if (kind == kExplorerKind && placeholder) {
        return reading ? ErrorCode::ExplorerPlaceholderRead : ErrorCode::ExplorerPlaceholderWrite;
    }
    return reading ? kKinds[kind].ReadCode : kKinds[kind].WriteCode;
}

template <std::size_t... I> KindProperties MakeKind(std::uint8_t kind, std::index_sequence<I...>) {
    KindProperties properties;
    // Emplaces the alternative whose index is the kind.
    (void)((kind == I ? (properties.template emplace<I>(), true) : false) || ...);
    return properties;
}

} // namespace

bool IsKnownKind(std::uint8_t kind) {
    return kind < kKindCount;
}

const KindInfo& KindInfoOf(std::uint8_t kind) {
    return kKinds.at(kind);
}

KindProperties DefaultKindProperties(std::uint8_t kind) {
    return MakeKind(kind, std::make_index_sequence<kKindCount>{});
}

bool WriteKindBlock(Stream& stream, const KindProperties& properties, bool placeholder) {
    const std::uint8_t kind = KindOf(properties);
    return Guarded(BlockCode(kind, placeholder, false), [&] {
        RecordWriter io(stream);
        return std::visit([&](const auto& block) { return fields::KindFields(io, block); }, properties);
    });
}

bool ReadKindBlock(Stream& stream, std::uint8_t kind, KindProperties& properties,
                   bool placeholder) {
    if (!IsKnownKind(kind)) {
        return false;
    }
    properties = DefaultKindProperties(kind);
    return Guarded(BlockCode(kind, placeholder, true), [&] {
        RecordReader io(stream);
        return std::visit([&](auto& block) { return fields::KindFields(io, block); }, properties);
    });
}

} // namespace carvelle
