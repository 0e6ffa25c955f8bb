#pragma once
// A control array: controls sharing one name and one set of handlers, told
// apart by an index. Indexes need not be contiguous (a ruler may lack one).

#include <map>
#include <memory>
#include <stdexcept>
#include <string>

namespace forms {

template <typename ControlType>
class ControlArray {
public:
    explicit ControlArray(std::string name) : name_(std::move(name)) {}

    const std::string& name() const { return name_; }

    template <typename... Args>
    ControlType& add(int index, Args&&... args) {
        auto control = std::make_unique<ControlType>(std::forward<Args>(args)...);
        ControlType& added = *control;
        elements_[index] = std::move(control);
        return added;
    }

    bool has(int index) const { return elements_.count(index) != 0; }
    ControlType* find(int index) const {
        auto found = elements_.find(index);
        return found == elements_.end() ? nullptr : found->second.get();
    }
    // The element at index; an index with no element is a program error.
    ControlType& operator()(int index) const {
        if (ControlType* control = find(index)) return *control;
        throw std::out_of_range(name_ + "(" + std::to_string(index) + ") does not exist");
    }
    int upperBound() const { return elements_.empty() ? -1 : elements_.rbegin()->first; }
    int count() const { return static_cast<int>(elements_.size()); }

    auto begin() const { return elements_.begin(); }
    auto end() const { return elements_.end(); }

private:
    std::string name_;
    std::map<int, std::unique_ptr<ControlType>> elements_;
};

}  // namespace forms
