#include "platform/ModalAnswers.h"

ModalAnswers& TestModalAnswers() {
    static ModalAnswers answers;
    return answers;
}
