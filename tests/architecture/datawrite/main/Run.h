// A main-window file that still writes the store's globals.
void start(Context& ctx)
{
    ctx.store.RecordCount = 0; // written outside the store
    const int n = ctx.dataSet().RecordCount(); // read: allowed
}
