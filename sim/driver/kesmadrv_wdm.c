/* The kernel side of the simulated KESMADRV driver: one device with a link, and
 * device-control requests passed to the portable core under a spin lock. The kernel calls
 * the entry and dispatch routines as NTAPI (stdcall on 32-bit Windows). */
#include <ddk/wdm.h>

#include "sim/core/kesmadrv_core.h"

typedef struct DeviceExtension {
    KSPIN_LOCK Lock;
    KesmaCoreState Core;
} DeviceExtension;

static const WCHAR kDeviceName[] = L"\\Device\\KESMADRV";
static const WCHAR kLinkName[] = L"\\DosDevices\\KESMADRV";

static NTSTATUS ToNtStatus(uint32_t status)
{
    switch (status) {
    case KESMA_STATUS_OK: return STATUS_SUCCESS;
    case KESMA_STATUS_INVALID_PARAMETER: return STATUS_INVALID_PARAMETER;
    case KESMA_STATUS_INVALID_REQUEST: return STATUS_INVALID_DEVICE_REQUEST;
    default: return STATUS_UNSUCCESSFUL;
    }
}

static NTSTATUS Complete(PIRP irp, NTSTATUS status, ULONG_PTR information)
{
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static NTSTATUS NTAPI DispatchCreateClose(PDEVICE_OBJECT device, PIRP irp)
{
    (void)device;
    return Complete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS NTAPI DispatchDeviceControl(PDEVICE_OBJECT device, PIRP irp)
{
    DeviceExtension* ext = (DeviceExtension*)device->DeviceExtension;
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    uint32_t bytesOut = 0;
    KIRQL irql;
    KeAcquireSpinLock(&ext->Lock, &irql);
    uint32_t status = KesmaCoreRequest(&ext->Core, stack->Parameters.DeviceIoControl.IoControlCode,
                                       irp->AssociatedIrp.SystemBuffer,
                                       stack->Parameters.DeviceIoControl.InputBufferLength,
                                       stack->Parameters.DeviceIoControl.OutputBufferLength, &bytesOut);
    KeReleaseSpinLock(&ext->Lock, irql);
    return Complete(irp, ToNtStatus(status), bytesOut);
}

static void NTAPI DriverUnload(PDRIVER_OBJECT driver)
{
    UNICODE_STRING link;
    RtlInitUnicodeString(&link, kLinkName);
    IoDeleteSymbolicLink(&link);
    if (driver->DeviceObject) IoDeleteDevice(driver->DeviceObject);
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath)
{
    (void)registryPath;
    UNICODE_STRING name, link;
    RtlInitUnicodeString(&name, kDeviceName);
    RtlInitUnicodeString(&link, kLinkName);

    PDEVICE_OBJECT device = NULL;
    NTSTATUS status = IoCreateDevice(driver, sizeof(DeviceExtension), &name, FILE_DEVICE_MOUSE, 0, FALSE, &device);
    if (!NT_SUCCESS(status)) return status;
    DeviceExtension* ext = (DeviceExtension*)device->DeviceExtension;
    KeInitializeSpinLock(&ext->Lock);
    KesmaCoreReset(&ext->Core);

    status = IoCreateSymbolicLink(&link, &name);
    if (!NT_SUCCESS(status)) {
        IoDeleteDevice(device);
        return status;
    }
    device->Flags |= DO_BUFFERED_IO;
    device->Flags &= ~DO_DEVICE_INITIALIZING;

    driver->MajorFunction[IRP_MJ_CREATE] = DispatchCreateClose;
    driver->MajorFunction[IRP_MJ_CLOSE] = DispatchCreateClose;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = DispatchDeviceControl;
    driver->DriverUnload = DriverUnload;
    return STATUS_SUCCESS;
}
