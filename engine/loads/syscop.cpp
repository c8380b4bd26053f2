#include "engine/loads/stages.h"

namespace kv {

void SYSCOP(float /*DB*/, float /*WB*/, float /*TDAY*/, float /*LOAD*/, float /*CAP*/,
            int32_t /*ITYPE*/, float RATED, float& EFF) {
  EFF = RATED;
}

}  // namespace kv
