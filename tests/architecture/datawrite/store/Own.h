// The store itself may set what it owns.
void reset(Context& ctx)
{
    ctx.store.RecordCount = 0;
}
