#include "channel/ReceiverModel.h"

#include <string>

namespace corvalen {

Result<ReceiverModel> ReceiverModel::FromText(std::string_view text) {
    for (const ReceiverModel model : {ReceiverModel("313"), ReceiverModel("303"),
                                      ReceiverModel("305"), ReceiverModel("315")}) {
        if (text == model.Name()) {
            return model;
        }
    }
    return Error{MessageKind::ErrorNoModel, {text}};
}

std::string_view ReceiverModel::Name() const {
    switch (m_id) {
        case Id::G303:
            return "303";
        case Id::G305:
            return "305";
        case Id::G315:
            return "315";
        case Id::G313:
            break;
    }
    return "313";
}

std::size_t ReceiverModel::RecordLength() const {
    return m_id == Id::G303 ? 84 : HoldsSecondarySquelch() ? 100 : 92;
}

}  // namespace corvalen
