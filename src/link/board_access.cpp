#include "board_access.h"

// The rule's file name and the folder udev reads it from come from the build,
// which generates the rule from the board's ids and installs it there.
std::string_view BoardNotOpenedText() {
    return "テルノは見つかりましたが、開けませんでした。"
           "テルノを使えるようにするudevルール「" QEN_UDEV_RULE_NAME "」を" QEN_UDEV_RULES_DIR
           "に入れて、テルノを挿し直して下さい。";
}
