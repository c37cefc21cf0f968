#include "app/control_reactions_win32.h"

#include <utility>

namespace orv {
namespace {

template <typename Map, typename Key>
const typename Map::mapped_type* Find(const Map& map, const Key& key) {
    const auto found = map.find(key);
    return found == map.end() ? nullptr : &found->second;
}

}  // namespace

void ControlReactions::OnCommand(std::string_view id, CommandReaction reaction) {
    commands_.insert_or_assign(std::string(id), std::move(reaction));
}

void ControlReactions::OnClick(std::string_view id, Reaction reaction) {
    OnCommand(id, [reaction = std::move(reaction)](int code) {
        if (code == BN_CLICKED) {
            reaction();
        }
    });
}

void ControlReactions::OnNotify(std::string_view id, NotifyReaction reaction) {
    notifications_.insert_or_assign(std::string(id), std::move(reaction));
}

void ControlReactions::OnScroll(std::string_view id, Reaction reaction) {
    scrolls_.insert_or_assign(std::string(id), std::move(reaction));
}

void ControlReactions::OnPageShown(int page, Reaction reaction) {
    shown_.insert_or_assign(page, std::move(reaction));
}

void ControlReactions::OnPageLeft(int page, Reaction reaction) {
    left_.insert_or_assign(page, std::move(reaction));
}

void ControlReactions::AfterEach(std::function<void(std::string_view id)> observer) {
    afterEach_ = std::move(observer);
}

void ControlReactions::Command(std::string_view id, int notifyCode) const {
    if (const auto* reaction = Find(commands_, id)) {
        (*reaction)(notifyCode);
    }
    if (afterEach_) {
        afterEach_(id);
    }
}

LRESULT ControlReactions::Notify(std::string_view id, const NMHDR& header) const {
    const auto* reaction = Find(notifications_, id);
    return reaction ? (*reaction)(header) : 0;
}

void ControlReactions::Scrolled(std::string_view id) const {
    if (const auto* reaction = Find(scrolls_, id)) {
        (*reaction)();
    }
    if (afterEach_) {
        afterEach_(id);
    }
}

void ControlReactions::PageShown(int page) const {
    if (const auto* reaction = Find(shown_, page)) {
        (*reaction)();
    }
}

void ControlReactions::PageLeft(int page) const {
    if (const auto* reaction = Find(left_, page)) {
        (*reaction)();
    }
}

}  // namespace orv
