#include "app/services/shared_state.h"

SharedState& Shared() {
  static SharedState* state = new SharedState;  // never destroyed: jobs may outlive main()
  return *state;
}
