// A link file that takes the old globals to change them.
void handle(Context& ctx)
{
    StoreGlobals& st = ctx.store;
    ctx_.dataSet().noteReading(time, energy, watts); // through the data set: allowed
}
