// A 256-way hash trie: items are found by their 32-bit hash, one byte of it
// per level. A slot holds a chain of up to 8 items; a ninth distinct item
// splits the chain into a deeper node keyed by the next hash byte. At the
// last level (the hash's fourth byte) chains grow instead, so items with
// equal full hashes still go in. The trie owns its items.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

namespace vesk {

template <typename T>
class THashTrie {
public:
    static constexpr std::size_t MaxChain = 8;
    static constexpr int LastLevel = 3;

    THashTrie() = default;
    virtual ~THashTrie() = default;
    THashTrie(const THashTrie&) = delete;
    THashTrie& operator=(const THashTrie&) = delete;

    // Inserts the item unless an equal one is present; returns the item kept
    // (the new one, or the equal one found, the new one then dropped).
    T* Insert(std::unique_ptr<T> item, std::uint32_t hash) {
        if (!root_) root_ = std::make_unique<Node>(0);
        T* kept = insertInto(*root_, item.get(), hash);
        if (kept == item.get()) items_.push_back(std::move(item));
        return kept;
    }

    T* Find(const T& item, std::uint32_t hash) const {
        const Node* node = root_.get();
        while (node) {
            const Slot& slot = node->slots[slotOf(hash, node->level)];
            if (const auto* deeper = std::get_if<std::unique_ptr<Node>>(&slot)) {
                node = deeper->get();
                continue;
            }
            if (const auto* chain = std::get_if<Chain>(&slot))
                for (auto it = chain->rbegin(); it != chain->rend(); ++it)
                    if (Equal(*it->item, item)) return it->item;
            return nullptr;
        }
        return nullptr;
    }

    std::size_t Count() const { return items_.size(); }

    // Visits every item: slots 0 to 255, a chain from its most recent item,
    // deeper nodes in place.
    template <typename F>
    void Iterate(F&& visit) const {
        if (root_) iterateNode(*root_, visit);
    }

    // Frees every item and node; the trie is empty.
    void Clear() {
        root_.reset();
        items_.clear();
    }

    // Depth of the node holding the item's slot (0 = root); -1 when absent.
    int LevelOf(const T& item, std::uint32_t hash) const {
        const Node* node = root_.get();
        while (node) {
            const Slot& slot = node->slots[slotOf(hash, node->level)];
            if (const auto* deeper = std::get_if<std::unique_ptr<Node>>(&slot)) {
                node = deeper->get();
                continue;
            }
            if (const auto* chain = std::get_if<Chain>(&slot))
                for (const Placed& p : *chain)
                    if (Equal(*p.item, item)) return node->level;
            return -1;
        }
        return -1;
    }

protected:
    virtual bool Equal(const T& a, const T& b) const = 0;

private:
    struct Node;
    struct Placed {
        T* item;
        std::uint32_t hash;
    };
    using Chain = std::vector<Placed>;  // the chain's head is the back
    using Slot = std::variant<std::monostate, std::unique_ptr<Node>, Chain>;
    struct Node {
        explicit Node(int l) : level(l) {}
        int level;
        std::array<Slot, 256> slots;
    };

    static std::size_t slotOf(std::uint32_t hash, int level) { return (hash >> (8 * level)) & 255u; }

    T* insertInto(Node& node, T* item, std::uint32_t hash) {
        Slot& slot = node.slots[slotOf(hash, node.level)];
        if (std::holds_alternative<std::monostate>(slot)) {
            slot = Chain{Placed{item, hash}};
            return item;
        }
        if (auto* deeper = std::get_if<std::unique_ptr<Node>>(&slot)) return insertInto(**deeper, item, hash);
        Chain& chain = std::get<Chain>(slot);
        for (const Placed& existing : chain)
            if (Equal(*existing.item, *item)) return existing.item;
        if (chain.size() < MaxChain || node.level >= LastLevel) {
            chain.push_back(Placed{item, hash});
            return item;
        }
        auto split = std::make_unique<Node>(node.level + 1);
        Chain old = std::move(chain);
        for (auto it = old.rbegin(); it != old.rend(); ++it) insertInto(*split, it->item, it->hash);
        slot = std::move(split);
        return insertInto(*std::get<std::unique_ptr<Node>>(slot), item, hash);
    }

    template <typename F>
    static void iterateNode(const Node& node, F& visit) {
        for (const Slot& slot : node.slots) {
            if (const auto* deeper = std::get_if<std::unique_ptr<Node>>(&slot)) iterateNode(**deeper, visit);
            else if (const auto* chain = std::get_if<Chain>(&slot))
                for (auto it = chain->rbegin(); it != chain->rend(); ++it) visit(*it->item);
        }
    }

    std::unique_ptr<Node> root_;
    std::vector<std::unique_ptr<T>> items_;
};

}  // namespace vesk
