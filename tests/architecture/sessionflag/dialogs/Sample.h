void sample(Context& ctx)
{
    const bool running = ctx.app.Measuring; // reads it: allowed
    ctx.app.Measuring = false;
    if (ctx.app.Measuring == running)
        t->app.Measuring = true;
}
