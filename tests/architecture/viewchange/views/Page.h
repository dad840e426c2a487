// A view reads the data set; this one changes it.
void page(Context& ctx)
{
    const auto& page = ctx.listPage(); // its own page: allowed
    ctx.dataSet().AppendRecord(rec);
}
