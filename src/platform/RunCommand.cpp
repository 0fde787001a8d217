#include "platform/RunCommand.h"

#include <new>

#include "platform/MessageSink.h"
#include "platform/RaisedError.h"

bool RunCommand(const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const RaisedError& e) {
        ShowMessage(e.Text());
    } catch (const std::bad_alloc&) {
        ShowMessage("メモリが足りません");
    }
    return false;
}
