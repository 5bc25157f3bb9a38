// The program's one outputs state.
#include "outputs/outputs_state.h"

namespace qtl {

OutputsState& outputsState() {
    static OutputsState state;
    return state;
}

}  // namespace qtl
