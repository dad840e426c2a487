void MeasurementRun::KeisokuStart()
{
    ctx_.app.Measuring = true;
}
