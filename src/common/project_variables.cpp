#include "common/project_variables.h"

namespace stelvador {

ProjectVariables& Project() {
    static ProjectVariables variables;
    return variables;
}

}  // namespace stelvador
