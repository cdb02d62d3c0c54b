#include "graphics/display_settings.h"

#include "graphics/card_set_info.h"

namespace {

clBackgroundChoice::Mode ModeOf(std::int32_t number) {
    return static_cast<clBackgroundChoice::Mode>(number);
}

}  // namespace

clDisplayOptions DisplayOptionsFromSettings(const clSettings& settings) {
    clDisplayOptions options;
    options.minSize = settings.Number(clNumber::MinSize);
    options.maxSize = settings.Number(clNumber::MaxSize);
    options.fitWindow = settings.Flag(clFlag::FitWindow);
    options.forceVirtual = settings.Flag(clFlag::ForceVirtual);
    options.virtualWidth = settings.Number(clNumber::VirtualWidth);
    options.virtualHeight = settings.Number(clNumber::VirtualHeight);
    options.cardSet = settings.Text(clText::CardSet);
    options.backs = settings.Text(clText::Backs);
    options.symbols = settings.Text(clText::Symbols);
    options.cardBack = settings.Number(clNumber::CardBack);
    options.global = {ModeOf(settings.Number(clNumber::Background)),
                      static_cast<std::uint32_t>(settings.Number(clNumber::Color)),
                      settings.Text(clText::Image)};
    options.current = {ModeOf(static_cast<std::int32_t>(settings.CurrentBackgroundMode())),
                       settings.CurrentColor(), settings.CurrentImage()};
    return options;
}

void StoreDisplayOptions(const clDisplayOptions& options, clSettings& settings) {
    settings.SetNumber(clNumber::MinSize, options.minSize);
    settings.SetNumber(clNumber::MaxSize, options.maxSize);
    settings.SetFlag(clFlag::FitWindow, options.fitWindow);
    settings.SetFlag(clFlag::ForceVirtual, options.forceVirtual);
    settings.SetNumber(clNumber::VirtualWidth, options.virtualWidth);
    settings.SetNumber(clNumber::VirtualHeight, options.virtualHeight);
    settings.SetText(clText::CardSet, options.cardSet);
    settings.SetText(clText::Backs, options.backs);
    settings.SetText(clText::Symbols, options.symbols);
    settings.SetNumber(clNumber::CardBack, options.cardBack);
    settings.SetNumber(clNumber::Background, static_cast<std::int32_t>(options.global.mode));
    settings.SetNumber(clNumber::Color, static_cast<std::int32_t>(options.global.colour));
    settings.SetText(clText::Image, options.global.image);
    settings.SetCurrentBackground(static_cast<clBackgroundMode>(options.current.mode),
                                  options.current.colour, options.current.image);
}

clCardSetLookup CatalogueLookup(const clCardSetList& catalogue) {
    return [&catalogue](std::string_view file) -> std::optional<std::int32_t> {
        return catalogue.Find(std::string(file));
    };
}
