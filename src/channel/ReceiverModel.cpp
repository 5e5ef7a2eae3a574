#include "channel/ReceiverModel.h"

namespace corvalen {

Result<ReceiverModel> ReceiverModel::FromText(std::string_view text) {
    for (std::size_t k = 0; k < std::size(kNames); ++k) {
        if (text == kNames[k]) {
            ReceiverModel model;
            model.m_id = static_cast<Id>(k);
            return model;
        }
    }
    return Error{MessageKind::ErrorNoModel, {text}};
}

std::size_t ReceiverModel::RecordLength() const {
    return m_id == Id::G303 ? 84 : HoldsSecondarySquelch() ? 100 : 92;
}

}  // namespace corvalen
