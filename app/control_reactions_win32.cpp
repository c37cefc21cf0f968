#include "app/control_reactions_win32.h"

#include <utility>

namespace orv {
namespace {

template <typename Map, typename Key>
const typename Map::mapped_type* Find(const Map& map, const Key& key) {
    const auto found = map.find(key);
    return found == map.end() ? nullptr : &found->second;
}

// Adds the reaction unless the key has one; false when it had.
template <typename Map, typename Key, typename Reaction>
bool AddOnce(Map& map, const Key& key, Reaction&& reaction) {
    return map.try_emplace(key, std::forward<Reaction>(reaction)).second;
}

std::string KeyText(std::string_view id) {
    return std::string(id);
}

std::string KeyText(int page) {
    return "page " + std::to_string(page);
}

}  // namespace

void ControlReactions::OnCommand(std::string_view id, CommandReaction reaction) {
    if (!AddOnce(commands_, std::string(id), std::move(reaction))) {
        duplicates_.push_back(KeyText(id));
    }
}

void ControlReactions::OnClick(std::string_view id, Reaction reaction) {
    OnCommand(id, [reaction = std::move(reaction)](int code) {
        if (code == BN_CLICKED) {
            reaction();
        }
    });
}

void ControlReactions::OnNotify(std::string_view id, NotifyReaction reaction) {
    if (!AddOnce(notifications_, std::string(id), std::move(reaction))) {
        duplicates_.push_back(KeyText(id));
    }
}

void ControlReactions::OnScroll(std::string_view id, Reaction reaction) {
    if (!AddOnce(scrolls_, std::string(id), std::move(reaction))) {
        duplicates_.push_back(KeyText(id));
    }
}

void ControlReactions::OnPageShown(int page, Reaction reaction) {
    if (!AddOnce(shown_, page, std::move(reaction))) {
        duplicates_.push_back(KeyText(page));
    }
}

void ControlReactions::OnPageLeft(int page, Reaction reaction) {
    if (!AddOnce(left_, page, std::move(reaction))) {
        duplicates_.push_back(KeyText(page));
    }
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
