#pragma once
// A reference from one report object to another (a band's Child, a view's
// DataSet) that reads as none once the object referred to is destroyed, so
// freeing a data set before the report never leaves a dangling pointer.

#include <memory>

namespace lk63 {

class TrpComponent;

// Held by every component; links keep a weak view of it.
using TrpLifeToken = std::shared_ptr<TrpComponent*>;

template <typename T>
class TrpLink {
public:
    TrpLink() = default;

    void Set(T* target);  // defined in component.h, where TrpComponent is complete
    [[nodiscard]] T* Get() const {
        const auto alive = token_.lock();
        return alive ? target_ : nullptr;
    }

private:
    T* target_ = nullptr;
    std::weak_ptr<TrpComponent*> token_;
};

}  // namespace lk63
