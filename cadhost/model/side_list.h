// A list that an entity keeps outside its slot. Most entities of a large drawing are plain
// texts, which have no points and no text pieces; two empty std::vectors would still cost them
// 48 bytes of every slot. A side list is one pointer (8 bytes), null while the list is empty,
// and its items live in a block of their own, made on the first item. Lines, polygons and
// paragraph texts pay one small allocation more; every plain text saves 40 bytes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <memory>
#include <span>
#include <stdexcept>
#include <utility>
#include <vector>

namespace cadhost {

template <typename T> class SideList {
public:
    using value_type = T;
    using size_type = std::size_t;
    using iterator = T*;
    using const_iterator = const T*;

    SideList() = default;
    SideList(std::vector<T> items) { Take(std::move(items)); }
    SideList(std::initializer_list<T> items) : SideList(std::vector<T>(items)) {}
    SideList(const SideList& other) { CopyFrom(other); }
    SideList(SideList&&) noexcept = default;
    SideList& operator=(const SideList& other) {
        if (this != &other)
            CopyFrom(other);
        return *this;
    }
    SideList& operator=(SideList&&) noexcept = default;
    SideList& operator=(std::vector<T> items) {
        Take(std::move(items));
        return *this;
    }
    SideList& operator=(std::initializer_list<T> items) { return *this = std::vector<T>(items); }

    bool empty() const { return items_ == nullptr || items_->empty(); }
    size_type size() const { return items_ == nullptr ? 0 : items_->size(); }

    T* data() { return items_ == nullptr ? nullptr : items_->data(); }
    const T* data() const { return items_ == nullptr ? nullptr : items_->data(); }
    iterator begin() { return data(); }
    iterator end() { return data() + size(); }
    const_iterator begin() const { return data(); }
    const_iterator end() const { return data() + size(); }

    T& operator[](size_type i) { return (*items_)[i]; }
    const T& operator[](size_type i) const { return (*items_)[i]; }
    T& at(size_type i) {
        CheckIndex(i);
        return (*items_)[i];
    }
    const T& at(size_type i) const {
        CheckIndex(i);
        return (*items_)[i];
    }
    T& front() { return items_->front(); }
    const T& front() const { return items_->front(); }
    T& back() { return items_->back(); }
    const T& back() const { return items_->back(); }

    void push_back(const T& item) { Items().push_back(item); }
    void push_back(T&& item) { Items().push_back(std::move(item)); }
    template <typename... Args> T& emplace_back(Args&&... args) {
        return Items().emplace_back(std::forward<Args>(args)...);
    }
    void reserve(size_type count) {
        if (count > 0)
            Items().reserve(count);
    }
    template <typename It> void assign(It first, It last) {
        if (first == last) {
            clear();
            return;
        }
        Items().assign(first, last);
    }
    // Gives the block back, so that an emptied list costs no more than one never filled.
    void clear() { items_.reset(); }

    operator std::span<const T>() const { return {data(), size()}; }
    std::vector<T> ToVector() const { return {begin(), end()}; }

    friend bool operator==(const SideList& a, const SideList& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    std::vector<T>& Items() {
        if (items_ == nullptr)
            items_ = std::make_unique<std::vector<T>>();
        return *items_;
    }
    void Take(std::vector<T> items) {
        if (items.empty()) {
            items_.reset();
            return;
        }
        items_ = std::make_unique<std::vector<T>>(std::move(items));
    }
    void CopyFrom(const SideList& other) {
        if (other.empty()) {
            items_.reset();
            return;
        }
        items_ = std::make_unique<std::vector<T>>(*other.items_);
    }
    void CheckIndex(size_type i) const {
        if (i >= size())
            throw std::out_of_range("SideList::at");
    }

    std::unique_ptr<std::vector<T>> items_;
};

} // namespace cadhost
