// qen-editor: the flowchart editor.
#include "qen_app.h"

int main(int argc, char** argv) {
    CQenApp app(argc, argv);
    return app.Run();
}
